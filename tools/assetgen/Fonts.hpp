#pragma once

#include <SFML/Graphics/Font.hpp>

namespace assetgen {

// The Liberation Sans faces every picture's text is set in (SIL Open Font License 1.1).
struct Fonts {
    sf::Font regular;
    sf::Font bold;

    // Loads both faces from the system's fonts-liberation2 folder; on failure prints one line naming the
    // missing file and returns false.
    bool load();
};

} // namespace assetgen
