#include "RectMerger.hpp"

std::vector<sf::IntRect> RectMerger::merge(int width, int height, const CellTest& marked) {
    std::vector<bool> taken(static_cast<std::size_t>(width * height), false);
    const auto free = [&](int x, int y) {
        return marked(x, y) && !taken[static_cast<std::size_t>(y * width + x)];
    };
    std::vector<sf::IntRect> rects;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (!free(x, y)) {
                continue;
            }
            int right = x;
            while (right + 1 < width && free(right + 1, y)) {
                ++right;
            }
            // Grow downwards while the whole run below is free as well.
            int bottom = y;
            bool grows = true;
            while (grows && bottom + 1 < height) {
                for (int i = x; i <= right; ++i) {
                    if (!free(i, bottom + 1)) {
                        grows = false;
                        break;
                    }
                }
                if (grows) {
                    ++bottom;
                }
            }
            for (int j = y; j <= bottom; ++j) {
                for (int i = x; i <= right; ++i) {
                    taken[static_cast<std::size_t>(j * width + i)] = true;
                }
            }
            rects.emplace_back(x, y, right - x + 1, bottom - y + 1);
        }
    }
    return rects;
}
