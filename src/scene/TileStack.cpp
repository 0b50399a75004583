#include "scene/TileStack.hpp"

#include "scene/LayerComponent.hpp"
#include "scene/TileOpacity.hpp"

#include <cstdint>
#include <cstring>
#include <set>

namespace {
// A tile's square as the exact bits of its corners: only a tile with the very
// same corners is sure to cover the very same pixels.
using Square = std::array<std::uint32_t, 8>;

Square squareOf(const sf::Sprite& sprite) {
    const std::array<sf::Vector2f, 4> corners = TileChunk::corners(sprite);
    Square square;
    for (std::size_t i = 0; i < 4; ++i) {
        std::memcpy(&square[2 * i], &corners[i].x, sizeof(float));
        std::memcpy(&square[2 * i + 1], &corners[i].y, sizeof(float));
    }
    return square;
}
} // namespace

TileStack::TileStack(const std::vector<LayerComponent*>& layers) : layerChunks(layers.size()) {
    TileOpacity opacity;
    std::set<Square> hidden;
    // From the front layer back: each layer keeps what the layers in front
    // leave uncovered, then covers the squares of its own opaque tiles.
    for (std::size_t l = layers.size(); l-- > 0;) {
        std::vector<const sf::Sprite*> shown;
        std::vector<bool> opaque;
        std::vector<Square> covering;
        for (const auto& sprite : layers[l]->sprites) {
            if (!sprite->getTexture()) {
                continue;
            }
            const Square square = squareOf(*sprite);
            if (hidden.count(square)) {
                continue;
            }
            shown.push_back(sprite.get());
            opaque.push_back(opacity.hides(*sprite));
            if (opaque.back()) {
                covering.push_back(square);
            }
        }
        hidden.insert(covering.begin(), covering.end());
        layerChunks[l] = TileChunk::bake(shown, opaque);
    }
}

void TileStack::draw(sf::RenderTarget& target) {
    drawCalls = 0;
    const sf::FloatRect seen = TileChunk::visibleArea(target.getView());
    for (const std::vector<TileChunk>& chunks : layerChunks) {
        for (const TileChunk& chunk : chunks) {
            if (chunk.inView(seen)) {
                chunk.draw(target);
                ++drawCalls;
            }
        }
    }
}

std::size_t TileStack::tileCount() const {
    std::size_t tiles = 0;
    for (const std::vector<TileChunk>& chunks : layerChunks) {
        for (const TileChunk& chunk : chunks) {
            tiles += chunk.spriteCount();
        }
    }
    return tiles;
}
