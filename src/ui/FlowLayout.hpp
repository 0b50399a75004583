#pragma once

#include <SFML/System/Vector2.hpp>

namespace ui {

// Places cells left to right in rows inside a width, starting a new row when the next cell would pass its
// right edge, so a screen built from a table never puts one control over another.
class FlowLayout {
public:
    FlowLayout(sf::Vector2f topLeft, float width, sf::Vector2f gap);
    // The top-left corner of the next cell of `size`.
    sf::Vector2f place(sf::Vector2f size);
    // The next cell starts a row of its own, `extra` below the usual gap.
    void endRow(float extra = 0.0f);
    // Below everything placed so far.
    float bottom() const { return rowTop + rowHeight; }

private:
    sf::Vector2f origin;
    float width;
    sf::Vector2f gap;
    float x = 0.0f;
    float rowTop;
    float rowHeight = 0.0f;
};

} // namespace ui
