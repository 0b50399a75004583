#include "NeighbourMask.hpp"

#include "PixelCanvas.hpp"

#include <algorithm>

int NeighbourMask::distanceToOpenSide(int x, int y, int mask) {
    const int last = PixelCanvas::kSize - 1;
    int distance = 1000;
    if (!(mask & kNorth)) {
        distance = std::min(distance, y);
    }
    if (!(mask & kSouth)) {
        distance = std::min(distance, last - y);
    }
    if (!(mask & kWest)) {
        distance = std::min(distance, x);
    }
    if (!(mask & kEast)) {
        distance = std::min(distance, last - x);
    }
    return distance;
}
