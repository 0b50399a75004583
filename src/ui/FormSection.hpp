#pragma once

#include <map>
#include <string>
#include <vector>

namespace ui {

// One `Type.Name { ... }` section of a widget file, as written: values are kept as raw text
// (quotes and escapes included, white space outside quotes folded) for FormValue to interpret.
struct FormSection {
    struct Property {
        std::string value;
        int line = 0;
    };

    std::string type;
    std::string name; // empty when the header has no ".Name"
    int line = 0;     // line of the header
    std::map<std::string, Property> properties;
    std::vector<FormSection> sections; // nested sections, such as a widget's own Renderer

    // "Type.Name", or "Type" when unnamed: how messages refer to the section.
    std::string header() const { return name.empty() ? type : type + "." + name; }
};

} // namespace ui
