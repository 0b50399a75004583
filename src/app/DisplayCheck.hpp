#pragma once

// Whether the X display the game would open its window on can be opened. SFML aborts the whole program
// when it cannot open one, so the game asks first and says what is wrong instead.
class DisplayCheck {
public:
    static bool canOpen();
    // True when the display opens; otherwise writes one line naming DISPLAY on sf::err().
    static bool canOpenOrExplain();
};
