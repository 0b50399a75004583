#pragma once

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/VertexArray.hpp>

// A block of tile sprites that share one texture, baked into one vertex array
// so the block costs one draw call. Each sprite becomes the same two triangles,
// with the same corner positions and texture coordinates, that drawing the
// sprite itself would send, so the pixels come out identical.
class TileChunk {
public:
    explicit TileChunk(const sf::Texture* texture);

    void add(const sf::Sprite& sprite);
    void draw(sf::RenderTarget& target) const;

    const sf::Texture* texture() const { return tileset; }
    // The world area the chunk's sprites cover.
    const sf::FloatRect& area() const { return covered; }
    std::size_t spriteCount() const { return vertices.getVertexCount() / 6; }

private:
    const sf::Texture* tileset;
    sf::VertexArray vertices;
    sf::FloatRect covered;
};
