#pragma once

#include <SFML/Graphics/Rect.hpp>
#include <functional>
#include <vector>

// Covers the marked cells of a grid with few rectangles, so a long wall becomes one
// collider instead of one per cell. Every marked cell ends up in exactly one rectangle.
class RectMerger {
public:
    using CellTest = std::function<bool(int x, int y)>;

    // Rectangles in cell units, found row by row from the top-left.
    static std::vector<sf::IntRect> merge(int width, int height, const CellTest& marked);
};
