#include "ui/FlowLayout.hpp"

#include <algorithm>

namespace ui {

FlowLayout::FlowLayout(sf::Vector2f topLeft, float rowWidth, sf::Vector2f spacing)
    : origin(topLeft), width(rowWidth), gap(spacing), rowTop(topLeft.y) {}

sf::Vector2f FlowLayout::place(sf::Vector2f size) {
    if (x > 0.0f && x + size.x > width) {
        endRow();
    }
    const sf::Vector2f at(origin.x + x, rowTop);
    x += size.x + gap.x;
    rowHeight = std::max(rowHeight, size.y);
    return at;
}

void FlowLayout::endRow(float extra) {
    if (x == 0.0f && rowHeight == 0.0f) {
        rowTop += extra;
        return;
    }
    rowTop += rowHeight + gap.y + extra;
    x = 0.0f;
    rowHeight = 0.0f;
}

} // namespace ui
