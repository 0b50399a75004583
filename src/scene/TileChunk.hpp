#pragma once

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/VertexArray.hpp>
#include <array>
#include <vector>

// A block of tile sprites that share one texture, baked into one vertex array
// so the block costs one draw call. Each sprite becomes the same two triangles,
// with the same corner positions and texture coordinates, that drawing the
// sprite itself would send, so the pixels come out identical.
class TileChunk {
public:
    // Blocks are this many tiles wide and high.
    static constexpr int kCells = 16;

    explicit TileChunk(const sf::Texture* texture);

    // Sorts sprites into blocks of kCells x kCells tiles (of the first sprite's
    // size) per texture, blocks in the order their first sprite appears and
    // sprites in list order within a block. Sprites without a texture draw
    // nothing and are left out. opaque, when given, runs parallel to sprites
    // and tells which sprites cover every pixel of their square with fully
    // opaque texels (see TileOpacity).
    static std::vector<TileChunk> bake(const std::vector<const sf::Sprite*>& sprites,
                                       const std::vector<bool>& opaque = {});
    // The corners a sprite sends to the driver, in world coordinates and in the
    // sprite's own order: top-left, bottom-left, top-right, bottom-right.
    static std::array<sf::Vector2f, 4> corners(const sf::Sprite& sprite);
    // The world area a view shows, as an axis-aligned box (also when rotated),
    // widened slightly so rounding can never hide a block reaching into the picture.
    static sf::FloatRect visibleArea(const sf::View& view);

    // opaqueTile: the sprite hides whatever lies under it. A block of opaque
    // tiles only is drawn without blending, which writes the same pixels faster.
    void add(const sf::Sprite& sprite, bool opaqueTile = false);
    void draw(sf::RenderTarget& target) const;
    // Whether the block reaches into a visibleArea().
    bool inView(const sf::FloatRect& seen) const;

    const sf::Texture* texture() const { return tileset; }
    // The world area the chunk's sprites cover.
    const sf::FloatRect& area() const { return covered; }
    std::size_t spriteCount() const { return vertices.getVertexCount() / 6; }
    bool opaque() const { return spriteCount() > 0 && allOpaque; }

private:
    const sf::Texture* tileset;
    sf::VertexArray vertices;
    sf::FloatRect covered;
    bool allOpaque = true;
};
