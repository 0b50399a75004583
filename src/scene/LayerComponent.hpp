#pragma once

#include "scene/RenderComponent.hpp"
#include "scene/TileChunk.hpp"

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <memory>
#include <vector>

// One tile layer of the map as prepared sprites. Registers itself with the
// render manager under its layer name when constructed.
//
// The sprites are drawn in blocks of 16 x 16 cells, one vertex array per block
// and texture, built on the first draw; only blocks the view can see are
// drawn. The pixels are those of drawing every sprite on its own, which
// drawPlain() still does as the reference (and useChunks = false selects).
// Tiles of one layer never overlap, so the blocks may be drawn in any order.
// The render manager may draw several visible layers in a row together (see
// TileStack); a layer with useChunks = false is always drawn on its own.
class LayerComponent : public RenderComponent {
public:
    static constexpr int kChunkCells = TileChunk::kCells;

    LayerComponent(GameObject* owner, std::vector<std::shared_ptr<sf::Sprite>> sprites, std::string layerName,
                   bool runsInUpdate);

    void process(sf::RenderWindow* window, float dt, std::string objectName) override;
    // In blocks, or sprite by sprite when useChunks is off.
    void drawOn(sf::RenderTarget& target) override;

    // Draws the blocks that intersect the target's view.
    void drawChunks(sf::RenderTarget& target);
    // Draws every sprite on its own, in list order.
    void drawPlain(sf::RenderTarget& target) const;
    // Bakes the sprites into blocks again; needed only after the sprites changed.
    void rebuildChunks();

    const std::vector<TileChunk>& getChunks();
    // Vertex arrays sent by the last drawChunks().
    std::size_t lastDrawCalls() const { return drawCalls; }
    // Counts rebuildChunks() calls, so that whatever was baked from the
    // sprites elsewhere knows when to bake again.
    unsigned spritesVersion() const { return version; }

    std::vector<std::shared_ptr<sf::Sprite>> sprites;
    bool useChunks = true;

private:
    void bakeChunks();

    std::vector<TileChunk> chunks;
    bool chunksBuilt = false;
    std::size_t drawCalls = 0;
    unsigned version = 0;
};
