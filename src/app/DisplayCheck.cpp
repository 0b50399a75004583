#include "app/DisplayCheck.hpp"

#include "i18n/Translator.hpp"

#include <SFML/System/Err.hpp>
#include <X11/Xlib.h>
#include <cstdlib>

struct DisplayCheck::Connection {
    Display* display = nullptr;
};

DisplayCheck::DisplayCheck() : connection(std::make_unique<Connection>()) {
    connection->display = XOpenDisplay(nullptr);
}

DisplayCheck::~DisplayCheck() {
    release();
}

void DisplayCheck::release() {
    if (connection->display != nullptr) {
        XCloseDisplay(connection->display);
        connection->display = nullptr;
    }
}

bool DisplayCheck::canOpen() {
    return DisplayCheck().isOpen();
}

bool DisplayCheck::isOpen() const {
    return connection->display != nullptr;
}

bool DisplayCheck::isOpenOrExplain() const {
    if (isOpen()) {
        return true;
    }
    const char* name = std::getenv("DISPLAY");
    if (name == nullptr || *name == '\0') {
        sf::err()
            << "Pellowick: "
            << tr("cannot open the display: DISPLAY is not set; start the game inside a graphical session")
            << std::endl;
    } else {
        sf::err() << "Pellowick: " << fill(tr("cannot open the display \"{1}\" that DISPLAY names"), {name})
                  << std::endl;
    }
    return false;
}
