#include "scene/LayerComponent.hpp"

#include "scene/RenderManager.hpp"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace {
// Share of the view's size by which it is widened before culling, so rounding
// can never hide a block that reaches into the picture.
constexpr float kViewMargin = 0.01f;

// The world area a view shows, as an axis-aligned box (also when rotated).
sf::FloatRect visibleArea(const sf::View& view) {
    const sf::Transform& toWorld = view.getInverseTransform();
    const sf::Vector2f corners[4] = {toWorld.transformPoint(-1.0f, -1.0f),
                                     toWorld.transformPoint(1.0f, -1.0f), toWorld.transformPoint(-1.0f, 1.0f),
                                     toWorld.transformPoint(1.0f, 1.0f)};
    float left = corners[0].x, right = corners[0].x, top = corners[0].y, bottom = corners[0].y;
    for (const sf::Vector2f& corner : corners) {
        left = std::min(left, corner.x);
        right = std::max(right, corner.x);
        top = std::min(top, corner.y);
        bottom = std::max(bottom, corner.y);
    }
    const float marginX = (right - left) * kViewMargin;
    const float marginY = (bottom - top) * kViewMargin;
    return {left - marginX, top - marginY, right - left + 2 * marginX, bottom - top + 2 * marginY};
}

// Index of the block a coordinate falls in; far-off or broken coordinates share the outermost blocks.
long blockOf(float coordinate, float blockSize) {
    constexpr float kOutermost = 1e9f;
    const float block = std::floor(coordinate / blockSize);
    return static_cast<long>(std::isnan(block) ? 0.0f : std::clamp(block, -kOutermost, kOutermost));
}

bool touches(const sf::FloatRect& a, const sf::FloatRect& b) {
    return a.left <= b.left + b.width && b.left <= a.left + a.width && a.top <= b.top + b.height &&
           b.top <= a.top + a.height;
}
} // namespace

LayerComponent::LayerComponent(GameObject* owner, std::vector<std::shared_ptr<sf::Sprite>> tileSprites,
                               std::string layerName, bool runsInUpdate)
    : RenderComponent(owner, std::move(layerName), runsInUpdate), sprites(std::move(tileSprites)) {
    RenderManager::getInstance()->addComponent(this);
}

void LayerComponent::process(sf::RenderWindow* window, float, std::string) {
    if (useChunks) {
        drawChunks(*window);
    } else {
        drawPlain(*window);
    }
}

void LayerComponent::drawPlain(sf::RenderTarget& target) const {
    for (const auto& sprite : sprites) {
        target.draw(*sprite);
    }
}

void LayerComponent::drawChunks(sf::RenderTarget& target) {
    drawCalls = 0;
    const sf::FloatRect seen = visibleArea(target.getView());
    for (const TileChunk& chunk : getChunks()) {
        if (touches(chunk.area(), seen)) {
            chunk.draw(target);
            ++drawCalls;
        }
    }
}

const std::vector<TileChunk>& LayerComponent::getChunks() {
    if (!chunksBuilt) {
        rebuildChunks();
    }
    return chunks;
}

void LayerComponent::rebuildChunks() {
    chunks.clear();
    chunksBuilt = true;
    // Blocks are as many cells wide as kChunkCells tiles of the first sprite's size.
    sf::Vector2f blockSize(kChunkCells * 16.0f, kChunkCells * 16.0f);
    for (const auto& sprite : sprites) {
        const sf::FloatRect tile = sprite->getLocalBounds();
        if (tile.width > 0.0f && tile.height > 0.0f) {
            blockSize = {kChunkCells * tile.width, kChunkCells * tile.height};
            break;
        }
    }
    // Blocks in the order their first sprite appears; within a block, list order.
    std::map<std::tuple<long, long, const sf::Texture*>, std::size_t> blockIndex;
    for (const auto& sprite : sprites) {
        if (!sprite->getTexture()) {
            continue; // a sprite without a texture draws nothing
        }
        const sf::FloatRect bounds = sprite->getGlobalBounds();
        const auto key = std::make_tuple(blockOf(bounds.left, blockSize.x), blockOf(bounds.top, blockSize.y),
                                         sprite->getTexture());
        auto found = blockIndex.find(key);
        if (found == blockIndex.end()) {
            found = blockIndex.emplace(key, chunks.size()).first;
            chunks.emplace_back(sprite->getTexture());
        }
        chunks[found->second].add(*sprite);
    }
}
