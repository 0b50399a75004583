#pragma once

#include "scene/GameObject.hpp"

#include <memory>
#include <string>

// Builds the full-window pictures and the camera of the picture screens.
class ScreenPicture {
public:
    // A picture object at (0, 0), stretched by 1.35 in height. Loads the
    // texture; when it cannot be loaded, writes one line and returns empty.
    static std::shared_ptr<GameObject> makePicture(const std::string& name, const std::string& type,
                                                   const std::string& textureName, const std::string& file);
    // A "camera" object whose 800x800 view looks at the picture.
    static std::shared_ptr<GameObject> makeCamera(const std::shared_ptr<GameObject>& picture);

    // The title picture behind the menu-like screens, at (1, 1) and its own size; without the picture
    // the object is there but draws nothing. Its camera looks at it as the menu's form expects.
    static std::shared_ptr<GameObject> makeTitleBackground();
    static std::shared_ptr<GameObject> makeTitleCamera(const std::shared_ptr<GameObject>& background);
};
