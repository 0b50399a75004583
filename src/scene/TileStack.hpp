#pragma once

#include "scene/TileChunk.hpp"

#include <SFML/Graphics/RenderTarget.hpp>
#include <vector>

class LayerComponent;

// Tile layers drawn one after the other, drawn as one: a tile is left out
// where a later layer of the stack has a fully opaque tile on exactly the same
// square, and blocks of opaque tiles only are drawn without blending. Every
// pixel comes out as drawing the layers in order would, with far fewer pixels
// filled. Built from the layers' sprites as they are at construction; the
// sprites and their textures must outlive the stack.
class TileStack {
public:
    // layers: back to front.
    explicit TileStack(const std::vector<LayerComponent*>& layers);

    // Draws the blocks that intersect the target's view, back to front.
    void draw(sf::RenderTarget& target);

    // Vertex arrays sent by the last draw().
    std::size_t lastDrawCalls() const { return drawCalls; }
    // Tiles left to draw after hiding the covered ones.
    std::size_t tileCount() const;

private:
    std::vector<std::vector<TileChunk>> layerChunks;
    std::size_t drawCalls = 0;
};
