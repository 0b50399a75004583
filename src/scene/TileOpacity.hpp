#pragma once

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <map>

// Tells whether a tile sprite hides whatever was drawn under it: every texel
// it can sample is fully opaque, so blending leaves nothing of the pixels
// below. Reads each texture back once and keeps the copy; the textures must
// not change while the object is in use.
class TileOpacity {
public:
    bool hides(const sf::Sprite& sprite);

private:
    const sf::Image& pixelsOf(const sf::Texture& texture);

    std::map<const sf::Texture*, sf::Image> copies;
};
