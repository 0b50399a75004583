#pragma once

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Image.hpp>
#include <cstdint>

// One 16x16 tile being painted. Every "random" detail comes from a hash of the pixel
// position and a seed, so the same tile always comes out pixel for pixel the same.
class PixelCanvas {
public:
    static constexpr int kSize = 16;

    PixelCanvas();

    void set(int x, int y, sf::Color color);
    sf::Color get(int x, int y) const;
    // Draws `color` over the pixel, respecting its alpha.
    void blend(int x, int y, sf::Color color);

    void fill(sf::Color color);
    void fillRect(int left, int top, int width, int height, sf::Color color);
    void fillDisc(float centreX, float centreY, float radius, sf::Color color);
    void fillEllipse(float centreX, float centreY, float radiusX, float radiusY, sf::Color color);
    // Paints every pixel with one of the three shades, picked by hash noise.
    void speckle(sf::Color base, sf::Color dark, sf::Color light, std::uint32_t seed, int darkPercent,
                 int lightPercent);

    // Copies the tile into `sheet` with its top-left corner at (left, top).
    void copyTo(sf::Image& sheet, unsigned left, unsigned top) const;

    static std::uint32_t hash(int x, int y, std::uint32_t seed);
    static sf::Color shade(sf::Color color, int delta);

private:
    sf::Image pixels;
};
