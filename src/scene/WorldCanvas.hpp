#pragma once

#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/View.hpp>

// The level drawn at its own resolution: the render manager's layers go into a texture holding one texel per
// world pixel, which is then drawn once, stretched over the part of the window the view shows. A software
// renderer pays for every pixel it fills; this way the level costs one textured rectangle of the window,
// whatever the window's size, instead of every layer filled at the window's resolution.
//
// The texture starts on a whole world pixel and is one texel wider and taller than the view, and it is drawn
// shifted by the view's fraction of a pixel: the tiles come out as when drawn straight into the window, and
// scrolling stays smooth. A sprite lying between two world pixels shows on whole world pixels.
class WorldCanvas {
public:
    // Draws the visible layers as an unturned `view` (viewport included) shows them, and leaves `view` as the
    // window's view. False, with nothing drawn, when the view is turned or the texture cannot be made.
    bool draw(sf::RenderWindow& window, const sf::View& view);

    // Whether the last draw() painted the whole of the view's part of the window, opaque.
    bool paintedLastFrame() const { return painted; }

    // Off: draw() draws nothing and returns false, so the caller draws the layers straight into the window.
    bool enabled = true;

private:
    bool fit(sf::Vector2u texels);

    sf::RenderTexture canvas;
    bool made = false;
    bool failed = false;
    bool painted = false;
};
