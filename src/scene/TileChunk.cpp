#include "scene/TileChunk.hpp"

#include <SFML/Graphics/RenderStates.hpp>
#include <algorithm>
#include <cmath>

namespace {
sf::FloatRect merged(const sf::FloatRect& a, const sf::FloatRect& b) {
    const float left = std::min(a.left, b.left);
    const float top = std::min(a.top, b.top);
    const float right = std::max(a.left + a.width, b.left + b.width);
    const float bottom = std::max(a.top + a.height, b.top + b.height);
    return {left, top, right - left, bottom - top};
}
} // namespace

TileChunk::TileChunk(const sf::Texture* texture) : tileset(texture), vertices(sf::Triangles) {}

void TileChunk::add(const sf::Sprite& sprite) {
    // The corners and texture coordinates a sprite builds for itself, in its
    // own order: top-left, bottom-left, top-right, bottom-right.
    const sf::IntRect rect = sprite.getTextureRect();
    const float width = static_cast<float>(std::abs(rect.width));
    const float height = static_cast<float>(std::abs(rect.height));
    const float left = static_cast<float>(rect.left);
    const float right = left + static_cast<float>(rect.width);
    const float top = static_cast<float>(rect.top);
    const float bottom = top + static_cast<float>(rect.height);
    const sf::Vector2f corners[4] = {{0.0f, 0.0f}, {0.0f, height}, {width, 0.0f}, {width, height}};
    const sf::Vector2f texCoords[4] = {{left, top}, {left, bottom}, {right, top}, {right, bottom}};

    // A lone sprite is moved into place on the CPU by the render states'
    // transform (identity, combined with the sprite's): do the same here.
    sf::Transform transform = sf::RenderStates::Default.transform;
    transform *= sprite.getTransform();
    sf::Vertex placed[4];
    for (int i = 0; i < 4; ++i) {
        placed[i] = sf::Vertex(transform.transformPoint(corners[i]), sprite.getColor(), texCoords[i]);
    }
    // The two triangles of the sprite's strip, in the order the strip forms them.
    for (int i : {0, 1, 2, 2, 1, 3}) {
        vertices.append(placed[i]);
    }
    const sf::FloatRect bounds = sprite.getGlobalBounds();
    covered = spriteCount() == 1 ? bounds : merged(covered, bounds);
}

void TileChunk::draw(sf::RenderTarget& target) const {
    sf::RenderStates states;
    states.texture = tileset;
    target.draw(vertices, states);
}
