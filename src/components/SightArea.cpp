#include "components/SightArea.hpp"

#include "physics/NavGrid.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {
using Polygon = std::vector<sf::Vector2f>;

// Keeps the part of a convex polygon on the side of the line x (or y) = limit that `keepBelow` says.
Polygon clipAxis(const Polygon& shape, bool alongX, float limit, bool keepBelow) {
    Polygon kept;
    const auto inside = [&](sf::Vector2f p) {
        const float v = alongX ? p.x : p.y;
        return keepBelow ? v <= limit : v >= limit;
    };
    for (std::size_t i = 0; i < shape.size(); ++i) {
        const sf::Vector2f a = shape[i];
        const sf::Vector2f b = shape[(i + 1) % shape.size()];
        if (inside(a)) {
            kept.push_back(a);
        }
        if (inside(a) != inside(b)) {
            const float va = alongX ? a.x : a.y;
            const float vb = alongX ? b.x : b.y;
            kept.push_back(a + (b - a) * ((limit - va) / (vb - va)));
        }
    }
    return kept;
}

Polygon clipToBox(Polygon shape, const sf::FloatRect& box) {
    shape = clipAxis(shape, true, box.left, false);
    shape = clipAxis(shape, true, box.left + box.width, true);
    shape = clipAxis(shape, false, box.top, false);
    return clipAxis(shape, false, box.top + box.height, true);
}

void appendFan(sf::VertexArray& vertices, const Polygon& shape, sf::Color colour) {
    if (colour.a == 0) {
        return;
    }
    for (std::size_t i = 1; i + 1 < shape.size(); ++i) {
        vertices.append({shape[0], colour});
        vertices.append({shape[i], colour});
        vertices.append({shape[i + 1], colour});
    }
}

// The diamond of `radius` round `centre`: top, right, bottom, left.
Polygon diamond(sf::Vector2f centre, float radius) {
    return {{centre.x, centre.y - radius},
            {centre.x + radius, centre.y},
            {centre.x, centre.y + radius},
            {centre.x - radius, centre.y}};
}

// The four bands of the edge line, each a quad between the outer diamond and one `width` inside it.
std::vector<Polygon> edgeBands(sf::Vector2f centre, float radius, float width) {
    const Polygon outer = diamond(centre, radius);
    const Polygon inner = diamond(centre, std::max(0.0f, radius - width * std::sqrt(2.0f)));
    std::vector<Polygon> bands;
    for (std::size_t i = 0; i < 4; ++i) {
        const std::size_t j = (i + 1) % 4;
        bands.push_back({outer[i], outer[j], inner[j], inner[i]});
    }
    return bands;
}
} // namespace

SightArea::SightArea(sf::Vector2f dogPosition, sf::Vector2f targetSize, double distance)
    : middle(dogPosition + targetSize / 2.0f),
      // Noticed while floor|dx| + floor|dy| stays below the distance: the edge lies between the whole
      // number below it plus one and plus two; the middle of that is drawn.
      reach(static_cast<float>(std::ceil(distance) + 0.5)) {}

bool SightArea::contains(sf::Vector2f point) const {
    return std::abs(point.x - middle.x) + std::abs(point.y - middle.y) < reach;
}

sf::FloatRect SightArea::bounds() const {
    return {middle.x - reach, middle.y - reach, 2.0f * reach, 2.0f * reach};
}

void SightArea::appendTo(sf::VertexArray& vertices, const Look& look, const NavGrid* walls,
                         sf::Vector2f eye) const {
    const Polygon shape = diamond(middle, reach);
    const std::vector<Polygon> bands = edgeBands(middle, reach, look.edgeWidth);
    if (!walls) {
        appendFan(vertices, shape, look.fill);
        for (const Polygon& band : bands) {
            appendFan(vertices, band, look.edge);
        }
        return;
    }
    const sf::FloatRect box = bounds();
    const sf::Vector2f cell = walls->cellSize();
    const sf::Vector2i first = walls->cellOf({box.left, box.top});
    const sf::Vector2i last = walls->cellOf({box.left + box.width, box.top + box.height});
    for (int y = first.y; y <= last.y; ++y) {
        for (int x = first.x; x <= last.x; ++x) {
            const sf::FloatRect square(static_cast<float>(x) * cell.x, static_cast<float>(y) * cell.y, cell.x,
                                       cell.y);
            const Polygon part = clipToBox(shape, square);
            if (part.size() < 3 || walls->blocked({x, y}) ||
                !walls->lineIsClear(eye, walls->centreOf({x, y}))) {
                continue;
            }
            appendFan(vertices, part, look.fill);
            for (const Polygon& band : bands) {
                appendFan(vertices, clipToBox(band, square), look.edge);
            }
        }
    }
}
