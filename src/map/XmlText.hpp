#pragma once

#include <string>

// Text written into the XML files our tools produce (maps, Tiled's object types).
class XmlText {
public:
    // `text` with &, <, > and " written as entities, fit for element text and quoted attributes.
    static std::string escaped(const std::string& text);
};
