#pragma once

#include <SFML/Window/Window.hpp>

// The game's icon, shown by the window manager in the title bar and the task bar.
class WindowIcon {
public:
    static constexpr const char* kPath = "Assets/icons/pellowick-64.png";

    // Sets the icon on the window (again after every create()). A missing or
    // unreadable picture leaves the window without one; SFML names the file on sf::err().
    static bool apply(sf::Window& window);
};
