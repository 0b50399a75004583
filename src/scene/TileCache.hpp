#pragma once

#include "scene/RenderManager.hpp"

#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/View.hpp>

// The level's tile layers drawn at their own resolution, one texel per world pixel, into a texture a margin
// larger than the view, and shown each frame as one textured rectangle stretched over the part of the window
// the view shows. A software renderer pays for every pixel and every small triangle: this way the tiles cost
// one rectangle of the window whatever its size, and are drawn again only when the view reaches the
// texture's edge or other layers show. What the render manager draws above the tiles (the sprites) is drawn
// straight into the window, at the window's resolution.
//
// The texture starts on a whole world pixel, so a window pixel shows the texel its centre falls in, the very
// texel it shows when the tiles are drawn straight: the pictures are the same. Only a pixel centre lying
// exactly on the edge between two texels may differ: drawn straight, each tile rounds it its own way and may
// take the texel of the neighbouring tile in the tileset (a thin seam); from the texture it never does.
class TileCache {
public:
    // World pixels kept beyond each side of the view, so that walking redraws the tiles only now and then.
    static constexpr unsigned kMargin = 64;

    // Draws the tile layers as an unturned `view` (viewport included) shows them and leaves `view` as the
    // window's view. False, with nothing drawn, when the view is turned, something is drawn under a tile
    // layer, or the texture cannot be made: the caller then draws the layers straight.
    bool draw(sf::RenderWindow& window, const sf::View& view);

    // Whether the last draw() painted the whole of the view's part of the window, opaque.
    bool paintedLastFrame() const { return painted; }

    // Off: draw() draws nothing and returns false.
    bool enabled = true;

private:
    bool holds(const sf::FloatRect& area, const RenderManager::TileLayersShown& shown) const;
    bool redraw(const sf::FloatRect& area, const RenderManager::TileLayersShown& shown);

    sf::RenderTexture texture;
    // The world pixel at the texture's top-left texel, and the layers drawn in it.
    sf::Vector2f origin;
    RenderManager::TileLayersShown drawn;
    bool current = false;
    bool failed = false;
    bool painted = false;
};
