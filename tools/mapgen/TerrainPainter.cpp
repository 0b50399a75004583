#include "TerrainPainter.hpp"

#include "NeighbourMask.hpp"

#include <cmath>
#include <string>

namespace {

const sf::Color kGrass(92, 164, 68);
const sf::Color kGrassDark(74, 140, 56);
const sf::Color kGrassLight(118, 186, 84);
const sf::Color kDirt(186, 146, 96);
const sf::Color kDirtDark(160, 120, 76);
const sf::Color kDirtLight(204, 168, 116);
const sf::Color kWater(58, 120, 196);
const sf::Color kWaterDark(44, 98, 170);
const sf::Color kWaterLight(120, 176, 230);
const sf::Color kWood(140, 96, 56);
const sf::Color kWoodDark(96, 62, 34);
const sf::Color kWoodLight(176, 128, 78);
const sf::Color kStone(150, 150, 158);
const sf::Color kStoneDark(108, 108, 118);
const sf::Color kStoneLight(184, 184, 192);
const sf::Color kBrick(156, 84, 60);
const sf::Color kBrickDark(116, 60, 46);
const sf::Color kRoof(172, 70, 56);
const sf::Color kRoofDark(128, 46, 38);
const sf::Color kRoofLight(200, 100, 80);
const sf::Color kShadow(0, 0, 0, 70);
const sf::Color kLeaf(62, 136, 58);
const sf::Color kLeafDark(40, 100, 44);
const sf::Color kLeafLight(104, 176, 84);

void paintGrass(PixelCanvas& c, std::uint32_t seed) {
    c.speckle(kGrass, kGrassDark, kGrassLight, seed, 14, 10);
    // A few blades: short dark strokes with a light tip.
    for (int i = 0; i < 5; ++i) {
        const int x = static_cast<int>(PixelCanvas::hash(i, 1, seed) % 15);
        const int y = 2 + static_cast<int>(PixelCanvas::hash(i, 2, seed) % 12);
        c.set(x, y, kGrassDark);
        c.set(x, y + 1, kGrassDark);
        c.set(x + 1, y - 1, kGrassLight);
    }
}

void paintFlowers(PixelCanvas& c, std::uint32_t seed) {
    paintGrass(c, seed);
    const sf::Color petals[] = {sf::Color(250, 250, 240), sf::Color(250, 214, 70), sf::Color(236, 120, 170)};
    for (int i = 0; i < 4; ++i) {
        const int x = 2 + static_cast<int>(PixelCanvas::hash(i, 7, seed) % 12);
        const int y = 2 + static_cast<int>(PixelCanvas::hash(i, 8, seed) % 12);
        const sf::Color petal = petals[PixelCanvas::hash(i, 9, seed) % 3];
        c.set(x - 1, y, petal);
        c.set(x + 1, y, petal);
        c.set(x, y - 1, petal);
        c.set(x, y + 1, petal);
        c.set(x, y, sf::Color(240, 180, 40));
    }
}

void paintTallGrass(PixelCanvas& c) {
    paintGrass(c, 41);
    for (int x = 1; x < 16; x += 3) {
        const int height = 5 + static_cast<int>(PixelCanvas::hash(x, 3, 5) % 6);
        for (int y = 0; y < height; ++y) {
            c.set(x + (y > height / 2 ? 0 : 1) - 1, 15 - y, y == height - 1 ? kGrassLight : kLeafDark);
        }
    }
}

// Ground that fades into grass along the sides where it does not continue: paths and ponds.
void paintEdgedGround(PixelCanvas& c, int mask, sf::Color base, sf::Color dark, sf::Color light,
                      sf::Color rim, std::uint32_t seed) {
    paintGrass(c, seed + 100);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const int margin = 2 + static_cast<int>(PixelCanvas::hash(x / 2, y / 2, seed) % 2);
            const int distance = NeighbourMask::distanceToOpenSide(x, y, mask);
            if (distance < margin) {
                continue;
            }
            if (distance == margin) {
                c.set(x, y, rim);
                continue;
            }
            const int roll = static_cast<int>(PixelCanvas::hash(x, y, seed + 7) % 100);
            c.set(x, y, roll < 14 ? dark : (roll < 24 ? light : base));
        }
    }
}

void paintPath(PixelCanvas& c, int mask) {
    paintEdgedGround(c, mask, kDirt, kDirtDark, kDirtLight, kDirtDark, 11);
    // Pebbles.
    for (int i = 0; i < 3; ++i) {
        const int x = 4 + static_cast<int>(PixelCanvas::hash(i, mask, 12) % 8);
        const int y = 4 + static_cast<int>(PixelCanvas::hash(mask, i, 13) % 8);
        c.set(x, y, kStoneLight);
        c.set(x, y + 1, kStoneDark);
    }
}

void paintWater(PixelCanvas& c, int mask) {
    paintEdgedGround(c, mask, kWater, kWaterDark, kWater, sf::Color(214, 196, 140), 21);
    for (int y = 3; y < 16; y += 5) {
        const int x = static_cast<int>(PixelCanvas::hash(y, mask, 22) % 10) + 3;
        if (NeighbourMask::distanceToOpenSide(x, y, mask) > 3 &&
            NeighbourMask::distanceToOpenSide(x + 2, y, mask) > 3) {
            c.set(x, y, kWaterLight);
            c.set(x + 1, y - 1, kWaterLight);
            c.set(x + 2, y, kWaterLight);
        }
    }
}

void paintFence(PixelCanvas& c, int mask) {
    const auto rail = [&c](int left, int top, int width, int height) {
        c.fillRect(left, top + 1, width, height, kShadow);
        c.fillRect(left, top, width, height, kWoodLight);
        c.fillRect(left, top + height - 1, width, 1, kWoodDark);
    };
    if (mask & NeighbourMask::kWest) {
        rail(0, 6, 8, 2);
        rail(0, 10, 8, 2);
    }
    if (mask & NeighbourMask::kEast) {
        rail(8, 6, 8, 2);
        rail(8, 10, 8, 2);
    }
    if (mask & NeighbourMask::kNorth) {
        rail(7, 0, 2, 8);
    }
    if (mask & NeighbourMask::kSouth) {
        rail(7, 8, 2, 8);
    }
    // The post, with a lit top.
    c.fillRect(5, 6, 6, 7, kShadow);
    c.fillRect(5, 4, 5, 8, kWoodDark);
    c.fillRect(6, 4, 3, 7, kWood);
    c.fillRect(6, 4, 3, 2, kWoodLight);
}

void paintCanopy(PixelCanvas& c, std::uint32_t seed) {
    c.fillEllipse(8.5f, 13.5f, 6.5f, 2.5f, kShadow);
    c.fillRect(7, 10, 3, 5, kWoodDark);
    c.fillRect(7, 10, 1, 5, kWood);
    c.fillDisc(8.0f, 7.0f, 7.0f, kLeafDark);
    c.fillDisc(7.5f, 6.5f, 5.6f, kLeaf);
    c.fillDisc(6.0f, 5.0f, 2.6f, kLeafLight);
    for (int i = 0; i < 9; ++i) {
        const int x = 3 + static_cast<int>(PixelCanvas::hash(i, 0, seed) % 10);
        const int y = 2 + static_cast<int>(PixelCanvas::hash(i, 1, seed) % 9);
        if (c.get(x, y).a == 255) {
            c.set(x, y, i % 3 == 0 ? kLeafLight : kLeafDark);
        }
    }
}

void paintPine(PixelCanvas& c) {
    c.fillEllipse(8.5f, 14.0f, 5.5f, 2.0f, kShadow);
    c.fillRect(7, 12, 2, 3, kWoodDark);
    const sf::Color needles(44, 104, 70);
    const sf::Color needlesDark(30, 78, 56);
    const sf::Color needlesLight(76, 140, 92);
    for (int tier = 0; tier < 3; ++tier) {
        const int top = 1 + tier * 3;
        for (int row = 0; row < 5; ++row) {
            const int half = 1 + row + tier;
            for (int x = 8 - half; x < 8 + half; ++x) {
                const sf::Color colour =
                    x < 8 - half + 2 ? needlesLight : (x >= 8 + half - 2 ? needlesDark : needles);
                c.set(x, top + row, colour);
            }
        }
    }
}

void paintBush(PixelCanvas& c) {
    c.fillEllipse(8.0f, 13.0f, 6.0f, 2.5f, kShadow);
    c.fillDisc(8.0f, 9.0f, 6.0f, kLeafDark);
    c.fillDisc(7.5f, 8.5f, 4.6f, kLeaf);
    c.fillDisc(6.0f, 7.0f, 2.0f, kLeafLight);
    const int berries[][2] = {{5, 10}, {10, 7}, {9, 11}, {11, 10}};
    for (const auto& b : berries) {
        c.set(b[0], b[1], sf::Color(200, 40, 50));
    }
}

void paintRock(PixelCanvas& c) {
    paintGrass(c, 61);
    c.fillEllipse(8.5f, 12.0f, 6.5f, 3.0f, kShadow);
    c.fillEllipse(8.0f, 9.0f, 6.0f, 4.8f, kStoneDark);
    c.fillEllipse(7.5f, 8.2f, 5.0f, 3.8f, kStone);
    c.fillEllipse(6.0f, 7.0f, 2.2f, 1.5f, kStoneLight);
}

// Stone courses seen from above: the top of the building's outer wall.
void paintWallTop(PixelCanvas& c) {
    c.speckle(kStone, kStoneDark, kStoneLight, 71, 8, 8);
    for (int y = 0; y < 16; y += 4) {
        c.fillRect(0, y, 16, 1, kStoneDark);
        const int offset = (y / 4) % 2 == 0 ? 0 : 4;
        for (int x = offset; x < 16; x += 8) {
            c.fillRect(x, y, 1, 4, kStoneDark);
        }
    }
}

void paintBrickFace(PixelCanvas& c, int fromRow) {
    for (int y = fromRow; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const int course = (y - fromRow) / 3;
            const bool mortarRow = (y - fromRow) % 3 == 2;
            const bool mortarJoint = (x + (course % 2) * 3) % 6 == 5;
            const int grain = static_cast<int>(PixelCanvas::hash(x, y, 81) % 3) * 6 - 6;
            c.set(x, y, mortarRow || mortarJoint ? kBrickDark : PixelCanvas::shade(kBrick, grain));
        }
    }
}

// The front of the building: a stone ledge, then brick down to the ground.
void paintFacade(PixelCanvas& c, bool window) {
    paintWallTop(c);
    c.fillRect(0, 4, 16, 1, kStoneDark);
    paintBrickFace(c, 5);
    c.fillRect(0, 15, 16, 1, kBrickDark);
    if (window) {
        c.fillRect(4, 6, 8, 7, kWoodDark);
        c.fillRect(5, 7, 6, 5, sf::Color(70, 110, 150));
        c.fillRect(5, 7, 2, 2, sf::Color(170, 210, 240));
        c.fillRect(7, 7, 1, 5, kWoodDark);
        c.fillRect(5, 9, 6, 1, kWoodDark);
        c.fillRect(3, 13, 10, 1, kStoneLight);
    }
}

void paintRoof(PixelCanvas& c, sf::Color base, sf::Color dark, sf::Color light) {
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const int row = y / 4;
            const bool edge = y % 4 == 3;
            const bool joint = (x + (row % 2) * 2) % 4 == 0;
            sf::Color colour = edge ? dark : (joint ? PixelCanvas::shade(base, -18) : base);
            if (y % 4 == 0 && !joint) {
                colour = light;
            }
            c.set(x, y, colour);
        }
    }
}

void paintRidge(PixelCanvas& c) {
    paintRoof(c, kRoof, kRoofDark, kRoofLight);
    c.fillRect(0, 5, 16, 6, kRoofDark);
    c.fillRect(0, 6, 16, 2, kRoofLight);
    for (int x = 0; x < 16; x += 4) {
        c.fillRect(x, 5, 1, 6, PixelCanvas::shade(kRoofDark, -20));
    }
}

void paintChimney(PixelCanvas& c) {
    paintRoof(c, kRoof, kRoofDark, kRoofLight);
    c.fillRect(4, 5, 10, 10, kShadow);
    c.fillRect(3, 3, 10, 10, kBrick);
    for (int y = 3; y < 13; y += 3) {
        c.fillRect(3, y, 10, 1, kBrickDark);
    }
    c.fillRect(3, 2, 10, 2, kStoneLight);
    c.fillRect(5, 4, 6, 5, sf::Color(30, 24, 24));
}

void paintFrontDoor(PixelCanvas& c, int mask) {
    paintFacade(c, false);
    const int left = (mask & NeighbourMask::kWest) ? 0 : 3;
    const int right = (mask & NeighbourMask::kEast) ? 16 : 13;
    // Frame posts where the opening ends, a lintel on top, the dark hall behind.
    c.fillRect(left, 4, right - left, 12, sf::Color(46, 36, 34));
    c.fillRect(left, 4, right - left, 2, kWoodDark);
    c.fillRect(left, 14, right - left, 2, kDirtDark);
    if (!(mask & NeighbourMask::kWest)) {
        c.fillRect(1, 3, 2, 13, kStoneLight);
        c.fillRect(2, 3, 1, 13, kStoneDark);
    }
    if (!(mask & NeighbourMask::kEast)) {
        c.fillRect(13, 3, 2, 13, kStoneLight);
        c.fillRect(14, 3, 1, 13, kStoneDark);
    }
}

void paintBackDoor(PixelCanvas& c) {
    paintWallTop(c);
    c.fillRect(2, 2, 12, 12, kWoodDark);
    c.fillRect(3, 3, 10, 10, kWood);
    for (int x = 5; x < 13; x += 3) {
        c.fillRect(x, 3, 1, 10, kWoodDark);
    }
    c.fillRect(3, 5, 10, 1, sf::Color(70, 70, 76));
    c.fillRect(3, 10, 10, 1, sf::Color(70, 70, 76));
}

// The goal pad is one 32x32 picture split into quarters; `quarter` counts 0..3 row by row.
void paintPadQuarter(PixelCanvas& c, int quarter) {
    paintGrass(c, 90 + static_cast<std::uint32_t>(quarter));
    const int ox = (quarter % 2) * 16;
    const int oy = (quarter / 2) * 16;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const float dx = static_cast<float>(ox + x) + 0.5f - 16.0f;
            const float dy = static_cast<float>(oy + y) + 0.5f - 16.0f;
            const float r = std::sqrt(dx * dx + dy * dy);
            if (r > 15.5f) {
                continue;
            }
            if (r > 14.0f) {
                c.set(x, y, kStoneDark);
            } else if (r > 11.5f) {
                c.set(x, y,
                      ((ox + x) / 2 + (oy + y) / 2) % 2 ? sf::Color(232, 190, 60) : sf::Color(250, 220, 96));
            } else if (r > 10.5f) {
                c.set(x, y, kStoneDark);
            } else {
                const bool dark = (((ox + x) / 4) + ((oy + y) / 4)) % 2 == 0;
                c.set(x, y, dark ? sf::Color(40, 40, 48) : sf::Color(240, 240, 236));
            }
        }
    }
}

void paintFlagQuarter(PixelCanvas& c, int quarter) {
    const int ox = (quarter % 2) * 16;
    const int oy = (quarter / 2) * 16;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const int gx = ox + x;
            const int gy = oy + y;
            if (gy >= 25 && gy <= 26 && gx >= 14 && gx <= 22) {
                c.set(x, y, kShadow);
            }
            if (gx >= 14 && gx <= 15 && gy >= 2 && gy <= 25) {
                c.set(x, y, gx == 14 ? sf::Color(230, 230, 236) : sf::Color(120, 120, 130));
            }
            // A red banner that ripples a little towards its tip.
            const int wave = (gx / 3) % 2;
            if (gx >= 16 && gx <= 28 && gy >= 3 + wave && gy <= 11 + wave - (gx - 16) / 3) {
                c.set(x, y, gy == 3 + wave ? sf::Color(250, 120, 110) : sf::Color(212, 40, 48));
            }
            if (gx >= 13 && gx <= 16 && gy >= 1 && gy <= 2) {
                c.set(x, y, sf::Color(250, 210, 80));
            }
        }
    }
}

} // namespace

TileSheet TerrainPainter::paint() {
    TileSheet tiles("terrain", "terrain.png", 8);
    for (int v = 0; v < 4; ++v) {
        tiles.add("grass" + std::to_string(v),
                  [v](PixelCanvas& c) { paintGrass(c, 1 + static_cast<std::uint32_t>(v)); });
    }
    for (int v = 0; v < 2; ++v) {
        tiles.add("flowers" + std::to_string(v),
                  [v](PixelCanvas& c) { paintFlowers(c, 31 + static_cast<std::uint32_t>(v)); });
    }
    tiles.add("tallGrass", paintTallGrass);
    for (int mask = 0; mask < NeighbourMask::kCount; ++mask) {
        tiles.add("path" + std::to_string(mask), [mask](PixelCanvas& c) { paintPath(c, mask); });
    }
    for (int mask = 0; mask < NeighbourMask::kCount; ++mask) {
        tiles.add("water" + std::to_string(mask), [mask](PixelCanvas& c) { paintWater(c, mask); });
    }
    for (int mask = 0; mask < NeighbourMask::kCount; ++mask) {
        tiles.add("fence" + std::to_string(mask), [mask](PixelCanvas& c) { paintFence(c, mask); });
    }
    tiles.add("tree0", [](PixelCanvas& c) { paintCanopy(c, 51); });
    tiles.add("tree1", paintPine);
    tiles.add("bush", paintBush);
    tiles.add("rock", paintRock);
    tiles.add("wallTop", paintWallTop);
    tiles.add("facade", [](PixelCanvas& c) { paintFacade(c, false); });
    tiles.add("facadeWindow", [](PixelCanvas& c) { paintFacade(c, true); });
    tiles.add("roofNorth", [](PixelCanvas& c) { paintRoof(c, kRoofLight, kRoof, sf::Color(222, 128, 104)); });
    tiles.add("roofSouth", [](PixelCanvas& c) { paintRoof(c, kRoof, kRoofDark, kRoofLight); });
    tiles.add("roofRidge", paintRidge);
    tiles.add("chimney", paintChimney);
    for (int mask :
         {0, NeighbourMask::kEast, NeighbourMask::kWest, NeighbourMask::kEast | NeighbourMask::kWest}) {
        tiles.add("frontDoor" + std::to_string(mask), [mask](PixelCanvas& c) { paintFrontDoor(c, mask); });
    }
    tiles.add("backDoor", paintBackDoor);
    for (int q = 0; q < 4; ++q) {
        tiles.add("pad" + std::to_string(q), [q](PixelCanvas& c) { paintPadQuarter(c, q); });
    }
    for (int q = 0; q < 4; ++q) {
        tiles.add("flag" + std::to_string(q), [q](PixelCanvas& c) { paintFlagQuarter(c, q); });
    }
    return tiles;
}
