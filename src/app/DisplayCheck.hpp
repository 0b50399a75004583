#pragma once

#include <memory>

// Whether the X display the game would open its window on can be opened. SFML aborts the whole program
// when it cannot open one, so the game asks first and says what is wrong instead.
//
// The check's own connection stays open until release(): an X server with no other client (xvfb-run, a
// headless machine) resets when its last client leaves, and SFML's connection for the window would then
// arrive in the middle of the reset. Release it once the window exists; the destructor releases it too.
class DisplayCheck {
public:
    // Connects to the display DISPLAY names, if it can; writes nothing.
    DisplayCheck();
    ~DisplayCheck();
    DisplayCheck(const DisplayCheck&) = delete;
    DisplayCheck& operator=(const DisplayCheck&) = delete;

    bool isOpen() const;
    // True while connected; otherwise writes one line naming DISPLAY on sf::err().
    bool isOpenOrExplain() const;
    void release();

    // Whether a display can be opened at all; the connection is closed again at once.
    static bool canOpen();

private:
    struct Connection;
    std::unique_ptr<Connection> connection;
};
