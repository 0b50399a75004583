#include "app/DisplayCheck.hpp"

#include <SFML/System/Err.hpp>
#include <X11/Xlib.h>
#include <cstdlib>

bool DisplayCheck::canOpen() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return false;
    }
    XCloseDisplay(display);
    return true;
}

bool DisplayCheck::canOpenOrExplain() {
    if (canOpen()) {
        return true;
    }
    const char* name = std::getenv("DISPLAY");
    if (name == nullptr || *name == '\0') {
        sf::err() << "Pellowick: cannot open the display: DISPLAY is not set; start the game inside a "
                     "graphical session"
                  << std::endl;
    } else {
        sf::err() << "Pellowick: cannot open the display \"" << name << "\" that DISPLAY names" << std::endl;
    }
    return false;
}
