#pragma once

#include <SFML/Graphics/Rect.hpp>
#include <cstdint>
#include <vector>

// Finds the pairs of boxes that may overlap, without testing every pair: the
// boxes are dropped into a uniform grid and only boxes sharing a cell are
// compared. The result is a superset of the overlapping pairs (boxes are
// widened a little so rounding in the exact test can never lose a pair), listed
// per box in increasing index order, so walking box 0's partners, then box 1's
// and so on visits pairs in the same order as the nested all-pairs loop.
//
// Boxes that cannot go into a grid (not finite, or absurdly large) are called
// unbounded: they get no partners here and the caller must test them against
// every other box itself.
class BroadPhase {
public:
    // Replaces the boxes and finds their candidate pairs.
    void build(const std::vector<sf::FloatRect>& boxes);

    std::size_t size() const { return unbounded.size(); }
    bool isUnbounded(std::size_t box) const { return unbounded[box] != 0; }
    // Partners of `box` with a higher index, in increasing order.
    const std::uint32_t* partnersBegin(std::size_t box) const { return partners.data() + firstPartner[box]; }
    const std::uint32_t* partnersEnd(std::size_t box) const {
        return partners.data() + firstPartner[box + 1];
    }
    std::size_t pairCount() const { return partners.size(); }

private:
    struct Extent {
        float left, top, right, bottom;
    };
    struct CellEntry {
        std::uint64_t cell;
        std::uint32_t box;
    };

    void measure(const std::vector<sf::FloatRect>& boxes);
    void fillCells();
    void collectPairs();
    bool reportedInThisCell(std::uint32_t a, std::uint32_t b, std::uint64_t cell) const;

    float cellSize = 64.0f;
    std::vector<Extent> extents;
    std::vector<std::int32_t> firstCellX, firstCellY, lastCellX, lastCellY;
    std::vector<char> unbounded;
    std::vector<float> sizes;
    std::vector<CellEntry> unsorted;
    std::vector<CellEntry> entries; // grouped by cell hash
    std::vector<std::uint32_t> bucketStart;
    std::vector<std::uint32_t> fill;
    std::vector<std::uint64_t> candidatePairs; // (lower << 32 | higher) before sorting into partners
    std::vector<std::uint32_t> firstPartner;
    std::vector<std::uint32_t> partners;
};
