#include "scene/TileChunk.hpp"

#include <SFML/Graphics/RenderStates.hpp>
#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace {
// Share of the view's size by which it is widened before culling.
constexpr float kViewMargin = 0.01f;

sf::FloatRect merged(const sf::FloatRect& a, const sf::FloatRect& b) {
    const float left = std::min(a.left, b.left);
    const float top = std::min(a.top, b.top);
    const float right = std::max(a.left + a.width, b.left + b.width);
    const float bottom = std::max(a.top + a.height, b.top + b.height);
    return {left, top, right - left, bottom - top};
}

// Index of the block a coordinate falls in; far-off or broken coordinates share the outermost blocks.
long blockOf(float coordinate, float blockSize) {
    constexpr float kOutermost = 1e9f;
    const float block = std::floor(coordinate / blockSize);
    return static_cast<long>(std::isnan(block) ? 0.0f : std::clamp(block, -kOutermost, kOutermost));
}

sf::Vector2f blockSizeFor(const std::vector<const sf::Sprite*>& sprites) {
    for (const sf::Sprite* sprite : sprites) {
        const sf::FloatRect tile = sprite->getLocalBounds();
        if (tile.width > 0.0f && tile.height > 0.0f) {
            return {TileChunk::kCells * tile.width, TileChunk::kCells * tile.height};
        }
    }
    return {TileChunk::kCells * 16.0f, TileChunk::kCells * 16.0f};
}
} // namespace

TileChunk::TileChunk(const sf::Texture* texture) : tileset(texture), vertices(sf::Triangles) {}

std::vector<TileChunk> TileChunk::bake(const std::vector<const sf::Sprite*>& sprites,
                                       const std::vector<bool>& opaque) {
    std::vector<TileChunk> chunks;
    const sf::Vector2f blockSize = blockSizeFor(sprites);
    std::map<std::tuple<long, long, const sf::Texture*>, std::size_t> blockIndex;
    for (std::size_t i = 0; i < sprites.size(); ++i) {
        const sf::Sprite& sprite = *sprites[i];
        if (!sprite.getTexture()) {
            continue;
        }
        const sf::FloatRect bounds = sprite.getGlobalBounds();
        const auto key = std::make_tuple(blockOf(bounds.left, blockSize.x), blockOf(bounds.top, blockSize.y),
                                         sprite.getTexture());
        auto found = blockIndex.find(key);
        if (found == blockIndex.end()) {
            found = blockIndex.emplace(key, chunks.size()).first;
            chunks.emplace_back(sprite.getTexture());
        }
        chunks[found->second].add(sprite, i < opaque.size() && opaque[i]);
    }
    return chunks;
}

std::array<sf::Vector2f, 4> TileChunk::corners(const sf::Sprite& sprite) {
    const sf::IntRect rect = sprite.getTextureRect();
    const float width = static_cast<float>(std::abs(rect.width));
    const float height = static_cast<float>(std::abs(rect.height));
    // A lone sprite is moved into place on the CPU by the render states'
    // transform (identity, combined with the sprite's): do the same here.
    sf::Transform transform = sf::RenderStates::Default.transform;
    transform *= sprite.getTransform();
    return {transform.transformPoint(0.0f, 0.0f), transform.transformPoint(0.0f, height),
            transform.transformPoint(width, 0.0f), transform.transformPoint(width, height)};
}

sf::FloatRect TileChunk::visibleArea(const sf::View& view) {
    const sf::Transform& toWorld = view.getInverseTransform();
    const sf::Vector2f viewCorners[4] = {
        toWorld.transformPoint(-1.0f, -1.0f), toWorld.transformPoint(1.0f, -1.0f),
        toWorld.transformPoint(-1.0f, 1.0f), toWorld.transformPoint(1.0f, 1.0f)};
    float left = viewCorners[0].x, right = viewCorners[0].x, top = viewCorners[0].y,
          bottom = viewCorners[0].y;
    for (const sf::Vector2f& corner : viewCorners) {
        left = std::min(left, corner.x);
        right = std::max(right, corner.x);
        top = std::min(top, corner.y);
        bottom = std::max(bottom, corner.y);
    }
    const float marginX = (right - left) * kViewMargin;
    const float marginY = (bottom - top) * kViewMargin;
    return {left - marginX, top - marginY, right - left + 2 * marginX, bottom - top + 2 * marginY};
}

void TileChunk::add(const sf::Sprite& sprite, bool opaqueTile) {
    const sf::IntRect rect = sprite.getTextureRect();
    const float left = static_cast<float>(rect.left);
    const float right = left + static_cast<float>(rect.width);
    const float top = static_cast<float>(rect.top);
    const float bottom = top + static_cast<float>(rect.height);
    const sf::Vector2f texCoords[4] = {{left, top}, {left, bottom}, {right, top}, {right, bottom}};
    const std::array<sf::Vector2f, 4> placed = corners(sprite);
    // The two triangles of the sprite's strip, in the order the strip forms them.
    for (int i : {0, 1, 2, 2, 1, 3}) {
        vertices.append(sf::Vertex(placed[i], sprite.getColor(), texCoords[i]));
    }
    allOpaque = allOpaque && opaqueTile;
    const sf::FloatRect bounds = sprite.getGlobalBounds();
    covered = spriteCount() == 1 ? bounds : merged(covered, bounds);
}

void TileChunk::draw(sf::RenderTarget& target) const {
    sf::RenderStates states;
    states.texture = tileset;
    if (opaque()) {
        states.blendMode = sf::BlendNone;
    }
    target.draw(vertices, states);
}

bool TileChunk::inView(const sf::FloatRect& seen) const {
    return covered.left <= seen.left + seen.width && seen.left <= covered.left + covered.width &&
           covered.top <= seen.top + seen.height && seen.top <= covered.top + covered.height;
}
