#pragma once

#include <SFML/Graphics/Image.hpp>

namespace assetgen {

// The small pixel-art object pictures of the level, each on a transparent background, seen from above
// with the face turned to the viewer so that eyes and teeth read at the level's zoom.
namespace PixelSprites {

sf::Image player();   // 16x16 hooded, masked sneak in a violet cloak
sf::Image dog1();     // 16x16 brown farm dog with floppy ears (outside)
sf::Image dog2();     // 16x16 grey guard dog with pricked ears (inside)
sf::Image dogAngry(); // 16x16 the chasing dog: bristling, red eyes, bared teeth
sf::Image egg();      // 8x8 white egg
sf::Image formula();  // 16x16 corked flask of glowing green formula

} // namespace PixelSprites

} // namespace assetgen
