#pragma once

#include "ui/Gui.hpp"

#include <SFML/Window/Event.hpp>
#include <vector>

// Where a menu screen's focus is when the player comes back to it. The manager keeps, per screen, the
// widget the player left from; a screen opened by keys or the pad shows its focus at once, one opened by
// the mouse only keeps it as the place the keys start from.
class MenuFocus {
public:
    // Call once the screen's widgets are built.
    static void restore(ui::Gui& gui, int screen);
    // Call as the screen is left.
    static void remember(const ui::Gui& gui, int screen);
    // Whether the player's last press was a key rather than the mouse (the pad keeps its own account).
    static void noteInput(const sf::Event& event);
};
