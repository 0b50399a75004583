#pragma once

#include "Fonts.hpp"

#include <SFML/Graphics/Image.hpp>

namespace assetgen {

// The drawn (not pixel-art) pictures of the game. All need a GL context.
namespace Pictures {

// Screen pictures are authored for the 800x600 window. The title picture is stored stretched to 800x800
// (the start screen shows it at scale 1 in an 800x800 view); the others are stored 800x593 (their screens
// stretch them by 1.35 in height in the same view), so both fill the window undistorted.
sf::Image startScreen(const Fonts& fonts);
sf::Image controls(const Fonts& fonts);
sf::Image credits(const Fonts& fonts);
sf::Image won(const Fonts& fonts);
sf::Image lost(const Fonts& fonts);

sf::Image pause(const Fonts& fonts); // 480x200 panel, shown at half size over the level
sf::Image audioIcon(bool audioOn);   // 32x32 speaker, crossed out when off
sf::Image eggAmount();               // 48x48 egg beside the HUD's egg counter
// 64x64 medal on its ribbon for the end screen, its place (1 gold, 2 silver, 3 bronze) written on it.
sf::Image medal(const Fonts& fonts, int place);
// The game's icon (desktop menu, window title bar): an egg and the formula under the moon, size x size.
sf::Image appIcon(unsigned size);

} // namespace Pictures

} // namespace assetgen
