#pragma once

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/VertexArray.hpp>
#include <SFML/System/Vector2.hpp>

class NavGrid;

// The ground on which a dog notices a target, drawn where the target's body is when it is noticed. The dog
// compares top-left corners by Manhattan distance on truncated differences, so a target is noticed while its
// centre lies in a diamond around the dog's corner moved by the target's half size; the truncation puts
// the true edge within a pixel of the diamond drawn here, on its outside for a point just inside and on its
// inside for a point just outside.
class SightArea {
public:
    // A dog at `dogPosition` noticing a target of `targetSize` nearer than `distance`.
    SightArea(sf::Vector2f dogPosition, sf::Vector2f targetSize, double distance);

    sf::Vector2f centre() const { return middle; }
    // From the centre to a corner of the drawn diamond.
    float radius() const { return reach; }
    // True when a target whose centre is at `point` is inside the drawn edge.
    bool contains(sf::Vector2f point) const;
    sf::FloatRect bounds() const;

    struct Look {
        sf::Color fill;
        sf::Color edge;
        float edgeWidth = 1.0f;
    };
    // Appends triangles to `vertices` (a sf::Triangles array): a fill and a line along the inside of the
    // edge. With `walls`, only the cells whose middle `eye` sees are drawn, so walls cut the area.
    void appendTo(sf::VertexArray& vertices, const Look& look, const NavGrid* walls, sf::Vector2f eye) const;

private:
    sf::Vector2f middle;
    float reach;
};
