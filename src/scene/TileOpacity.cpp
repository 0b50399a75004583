#include "scene/TileOpacity.hpp"

#include <algorithm>

bool TileOpacity::hides(const sf::Sprite& sprite) {
    const sf::Texture* texture = sprite.getTexture();
    // Smoothing blends in neighbouring texels, a tinted sprite is see-through.
    if (!texture || texture->isSmooth() || sprite.getColor().a != 255) {
        return false;
    }
    const sf::IntRect rect = sprite.getTextureRect();
    if (rect.width == 0 || rect.height == 0) {
        return false;
    }
    const int size[2] = {static_cast<int>(texture->getSize().x), static_cast<int>(texture->getSize().y)};
    const int from[2] = {std::min(rect.left, rect.left + rect.width),
                         std::min(rect.top, rect.top + rect.height)};
    const int to[2] = {std::max(rect.left, rect.left + rect.width),
                       std::max(rect.top, rect.top + rect.height)};
    // A pixel right at the tile's edge may round to the texel just outside
    // the rectangle, so the one-texel ring around it must be opaque too.
    int first[2], last[2];
    for (int axis = 0; axis < 2; ++axis) {
        if (size[axis] == 0 || from[axis] >= size[axis] || to[axis] <= 0) {
            return false;
        }
        first[axis] = from[axis] - 1;
        last[axis] = to[axis];
        if (texture->isRepeated() && (first[axis] < 0 || last[axis] >= size[axis])) {
            return false; // the ring wraps round to the far side
        }
        // Outside the texture the sampler repeats its edge texels.
        first[axis] = std::clamp(first[axis], 0, size[axis] - 1);
        last[axis] = std::clamp(last[axis], 0, size[axis] - 1);
    }
    const sf::Image& pixels = pixelsOf(*texture);
    for (int y = first[1]; y <= last[1]; ++y) {
        for (int x = first[0]; x <= last[0]; ++x) {
            if (pixels.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y)).a != 255) {
                return false;
            }
        }
    }
    return true;
}

const sf::Image& TileOpacity::pixelsOf(const sf::Texture& texture) {
    auto found = copies.find(&texture);
    if (found == copies.end()) {
        found = copies.emplace(&texture, texture.copyToImage()).first;
    }
    return found->second;
}
