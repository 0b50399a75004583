#include "physics/BroadPhase.hpp"

#include <algorithm>
#include <cmath>

namespace {
constexpr float kMinCellSize = 8.0f;
constexpr float kMaxCellSize = 512.0f;
constexpr float kCellsPerTypicalBox = 2.0f;
// Widening of every box: far more than the rounding of the exact overlap test.
constexpr float kMarginPixels = 0.5f;
constexpr float kMarginShare = 1e-4f;
// A box covering more cells than this is cheaper to test against everyone.
constexpr std::int64_t kMaxCellsPerBox = 4096;
constexpr float kMaxCellIndex = 1e9f;

std::uint64_t cellKey(std::int32_t x, std::int32_t y) {
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(x)) << 32) | static_cast<std::uint32_t>(y);
}

std::uint32_t cellHash(std::uint64_t key) {
    key ^= key >> 29;
    key *= 0xbf58476d1ce4e5b9ULL;
    key ^= key >> 32;
    return static_cast<std::uint32_t>(key);
}

bool finite(const sf::FloatRect& box) {
    return std::isfinite(box.left) && std::isfinite(box.top) && std::isfinite(box.width) &&
           std::isfinite(box.height) && std::isfinite(box.left + box.width) &&
           std::isfinite(box.top + box.height);
}
} // namespace

void BroadPhase::build(const std::vector<sf::FloatRect>& boxes) {
    measure(boxes);
    fillCells();
    collectPairs();
}

// Widened extents, the cell size (twice a typical box) and each box's cell range.
void BroadPhase::measure(const std::vector<sf::FloatRect>& boxes) {
    const std::size_t count = boxes.size();
    extents.resize(count);
    unbounded.assign(count, 0);
    sizes.clear();
    for (std::size_t i = 0; i < count; ++i) {
        const sf::FloatRect& box = boxes[i];
        if (!finite(box)) {
            unbounded[i] = 1;
            continue;
        }
        const float left = std::min(box.left, box.left + box.width);
        const float right = std::max(box.left, box.left + box.width);
        const float top = std::min(box.top, box.top + box.height);
        const float bottom = std::max(box.top, box.top + box.height);
        const float magnitude = std::max({std::abs(left), std::abs(right), std::abs(top), std::abs(bottom)});
        const float margin = kMarginPixels + kMarginShare * magnitude;
        extents[i] = {left - margin, top - margin, right + margin, bottom + margin};
        sizes.push_back(std::max(right - left, bottom - top));
    }
    if (!sizes.empty()) {
        auto middle = sizes.begin() + static_cast<std::ptrdiff_t>(sizes.size() / 2);
        std::nth_element(sizes.begin(), middle, sizes.end());
        cellSize = std::clamp(*middle * kCellsPerTypicalBox, kMinCellSize, kMaxCellSize);
    }

    firstCellX.resize(count);
    firstCellY.resize(count);
    lastCellX.resize(count);
    lastCellY.resize(count);
    const float scale = 1.0f / cellSize;
    for (std::size_t i = 0; i < count; ++i) {
        if (unbounded[i]) {
            continue;
        }
        const Extent& e = extents[i];
        const float x0 = std::floor(e.left * scale), x1 = std::floor(e.right * scale);
        const float y0 = std::floor(e.top * scale), y1 = std::floor(e.bottom * scale);
        if (std::abs(x0) > kMaxCellIndex || std::abs(x1) > kMaxCellIndex || std::abs(y0) > kMaxCellIndex ||
            std::abs(y1) > kMaxCellIndex) {
            unbounded[i] = 1;
            continue;
        }
        firstCellX[i] = static_cast<std::int32_t>(x0);
        lastCellX[i] = static_cast<std::int32_t>(x1);
        firstCellY[i] = static_cast<std::int32_t>(y0);
        lastCellY[i] = static_cast<std::int32_t>(y1);
        const std::int64_t cells = (std::int64_t{lastCellX[i]} - firstCellX[i] + 1) *
                                   (std::int64_t{lastCellY[i]} - firstCellY[i] + 1);
        if (cells > kMaxCellsPerBox) {
            unbounded[i] = 1;
        }
    }
}

// One entry per box and covered cell, grouped by a hash of the cell (a
// counting sort, so boxes stay in index order inside each group).
void BroadPhase::fillCells() {
    unsorted.clear();
    for (std::size_t i = 0; i < unbounded.size(); ++i) {
        if (unbounded[i]) {
            continue;
        }
        for (std::int32_t x = firstCellX[i]; x <= lastCellX[i]; ++x) {
            for (std::int32_t y = firstCellY[i]; y <= lastCellY[i]; ++y) {
                unsorted.push_back({cellKey(x, y), static_cast<std::uint32_t>(i)});
            }
        }
    }
    std::size_t buckets = 16;
    while (buckets < 2 * unsorted.size()) {
        buckets *= 2;
    }
    const std::uint32_t mask = static_cast<std::uint32_t>(buckets - 1);
    bucketStart.assign(buckets + 1, 0);
    for (const CellEntry& entry : unsorted) {
        ++bucketStart[(cellHash(entry.cell) & mask) + 1];
    }
    for (std::size_t b = 0; b < buckets; ++b) {
        bucketStart[b + 1] += bucketStart[b];
    }
    entries.resize(unsorted.size());
    fill.assign(bucketStart.begin(), bucketStart.end() - 1);
    for (const CellEntry& entry : unsorted) {
        entries[fill[cellHash(entry.cell) & mask]++] = entry;
    }
}

// A pair sharing several cells is reported once, in the first cell both cover.
bool BroadPhase::reportedInThisCell(std::uint32_t a, std::uint32_t b, std::uint64_t cell) const {
    return cell == cellKey(std::max(firstCellX[a], firstCellX[b]), std::max(firstCellY[a], firstCellY[b]));
}

void BroadPhase::collectPairs() {
    candidatePairs.clear();
    for (std::size_t b = 0; b + 1 < bucketStart.size(); ++b) {
        for (std::uint32_t p = bucketStart[b]; p < bucketStart[b + 1]; ++p) {
            const CellEntry& first = entries[p];
            const Extent& e = extents[first.box];
            for (std::uint32_t q = p + 1; q < bucketStart[b + 1]; ++q) {
                const CellEntry& second = entries[q];
                if (second.cell != first.cell) {
                    continue; // another cell with the same hash
                }
                const Extent& f = extents[second.box];
                if (e.left > f.right || f.left > e.right || e.top > f.bottom || f.top > e.bottom) {
                    continue;
                }
                if (!reportedInThisCell(first.box, second.box, first.cell)) {
                    continue;
                }
                // Entries of a bucket are in index order, so first.box < second.box.
                candidatePairs.push_back((static_cast<std::uint64_t>(first.box) << 32) | second.box);
            }
        }
    }

    // Group the pairs by their lower box, then order each group's partners.
    const std::size_t count = unbounded.size();
    firstPartner.assign(count + 1, 0);
    for (std::uint64_t pair : candidatePairs) {
        ++firstPartner[(pair >> 32) + 1];
    }
    for (std::size_t i = 0; i < count; ++i) {
        firstPartner[i + 1] += firstPartner[i];
    }
    partners.resize(candidatePairs.size());
    fill.assign(firstPartner.begin(), firstPartner.end() - 1);
    for (std::uint64_t pair : candidatePairs) {
        partners[fill[pair >> 32]++] = static_cast<std::uint32_t>(pair & 0xffffffffu);
    }
    for (std::size_t i = 0; i < count; ++i) {
        std::sort(partners.begin() + firstPartner[i], partners.begin() + firstPartner[i + 1]);
    }
}
