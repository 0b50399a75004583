#pragma once

#include <SFML/Graphics/Color.hpp>

// The menu's colours, lantern gold on night blue: every screen drawn in the menu's style takes them from here
// so the screens read as one game.
struct MenuPalette {
    static inline const sf::Color kNightBlue{20, 28, 60};
    static inline const sf::Color kHoverBlue{42, 59, 116};
    static inline const sf::Color kGold{232, 200, 114};
    static inline const sf::Color kPaleGold{255, 230, 160};
    static inline const sf::Color kCream{244, 235, 208};

    // Night blue that lets `alpha` of itself cover what is behind it.
    static sf::Color nightBlue(sf::Uint8 alpha) { return {kNightBlue.r, kNightBlue.g, kNightBlue.b, alpha}; }
};
