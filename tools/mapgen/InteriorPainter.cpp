#include "InteriorPainter.hpp"

#include "NeighbourMask.hpp"

#include <string>

namespace {

const sf::Color kVoid(22, 20, 30);
const sf::Color kPlank(164, 116, 72);
const sf::Color kPlankDark(126, 86, 52);
const sf::Color kPlankLight(186, 138, 90);
const sf::Color kFlag(132, 128, 124);
const sf::Color kFlagDark(94, 90, 88);
const sf::Color kFlagLight(156, 152, 146);
const sf::Color kCarpet(150, 40, 52);
const sf::Color kCarpetDark(112, 26, 40);
const sf::Color kGold(210, 168, 70);
const sf::Color kWallTop(72, 62, 74);
const sf::Color kWallTopLight(96, 86, 98);
const sf::Color kPanel(128, 88, 58);
const sf::Color kPanelDark(92, 62, 40);
const sf::Color kPanelLight(154, 110, 74);
const sf::Color kWood(140, 96, 56);
const sf::Color kWoodDark(96, 62, 34);
const sf::Color kWoodLight(176, 128, 78);
const sf::Color kShadow(0, 0, 0, 80);
const sf::Color kMetal(150, 154, 164);

void paintVoid(PixelCanvas& c) {
    c.speckle(kVoid, sf::Color(16, 14, 22), sf::Color(28, 26, 38), 3, 20, 10);
}

// Planks four pixels wide, running east-west, with staggered butt joints.
void paintPlanks(PixelCanvas& c, std::uint32_t seed) {
    c.speckle(kPlank, kPlankDark, kPlankLight, seed, 6, 8);
    for (int row = 0; row < 4; ++row) {
        c.fillRect(0, row * 4 + 3, 16, 1, kPlankDark);
        const int joint = static_cast<int>(PixelCanvas::hash(row, 0, seed) % 14) + 1;
        c.fillRect(joint, row * 4, 1, 3, kPlankDark);
    }
}

void paintFlagstones(PixelCanvas& c, std::uint32_t seed) {
    c.speckle(kFlag, kFlagDark, kFlagLight, seed, 8, 8);
    for (int y = 0; y < 16; y += 8) {
        c.fillRect(0, y, 16, 1, kFlagDark);
        const int offset = (y / 8 + static_cast<int>(seed)) % 2 == 0 ? 0 : 4;
        c.fillRect(offset, y, 1, 8, kFlagDark);
        c.fillRect(offset + 8, y, 1, 8, kFlagDark);
    }
}

void paintCarpet(PixelCanvas& c, int mask) {
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const int edge = NeighbourMask::distanceToOpenSide(x, y, mask);
            if (edge == 0) {
                c.set(x, y, kCarpetDark);
            } else if (edge <= 2) {
                c.set(x, y, kGold);
            } else if (edge == 3) {
                c.set(x, y, kCarpetDark);
            } else {
                // A small diamond pattern repeating every 8 pixels, aligned across tiles.
                const int px = x % 8 - 4;
                const int py = y % 8 - 4;
                const int d = (px < 0 ? -px : px) + (py < 0 ? -py : py);
                c.set(x, y, d == 2 ? sf::Color(196, 92, 70) : kCarpet);
            }
        }
    }
}

void paintWallTop(PixelCanvas& c) {
    c.speckle(kWallTop, PixelCanvas::shade(kWallTop, -12), kWallTopLight, 5, 12, 10);
    for (int y = 3; y < 16; y += 6) {
        c.fillRect(0, y, 16, 1, PixelCanvas::shade(kWallTop, -16));
    }
}

// A wall whose south side faces a room: its top, then panelling down to the floor.
void paintWallFace(PixelCanvas& c, bool decorated) {
    paintWallTop(c);
    c.fillRect(0, 5, 16, 1, kWallTopLight);
    c.fillRect(0, 6, 16, 10, kPanel);
    for (int x = 0; x < 16; x += 4) {
        c.fillRect(x, 6, 1, 9, kPanelDark);
        c.fillRect(x + 1, 6, 1, 9, kPanelLight);
    }
    c.fillRect(0, 14, 16, 2, kPanelDark);
    if (decorated) {
        // A lit lamp on its bracket.
        c.fillRect(7, 7, 2, 5, kMetal);
        c.fillRect(6, 7, 4, 3, sf::Color(250, 220, 120));
        c.fillRect(7, 8, 2, 1, sf::Color(255, 248, 210));
    }
}

void paintDoorway(PixelCanvas& c, sf::Color mat, sf::Color matStripe) {
    paintFlagstones(c, 9);
    c.fillRect(0, 0, 16, 2, kWoodDark);
    c.fillRect(2, 4, 12, 9, mat);
    for (int y = 5; y < 13; y += 2) {
        c.fillRect(3, y, 10, 1, matStripe);
    }
}

void paintTable(PixelCanvas& c) {
    c.fillRect(2, 4, 13, 11, kShadow);
    c.fillRect(1, 2, 14, 11, kWoodDark);
    c.fillRect(2, 3, 12, 8, kWood);
    c.fillRect(2, 3, 12, 1, kWoodLight);
    c.fillRect(2, 13, 2, 2, kWoodDark);
    c.fillRect(12, 13, 2, 2, kWoodDark);
    // A plate and a mug.
    c.fillDisc(6.0f, 7.0f, 2.5f, sf::Color(236, 236, 228));
    c.fillRect(10, 5, 2, 3, sf::Color(90, 120, 170));
}

void paintShelf(PixelCanvas& c) {
    c.fillRect(0, 0, 16, 16, kWoodDark);
    const sf::Color spines[] = {sf::Color(170, 50, 50), sf::Color(60, 100, 160), sf::Color(70, 140, 70),
                                sf::Color(200, 170, 70), sf::Color(120, 70, 140)};
    for (int shelf = 0; shelf < 3; ++shelf) {
        const int top = 1 + shelf * 5;
        c.fillRect(1, top, 14, 4, sf::Color(50, 34, 22));
        for (int x = 1; x < 15; ++x) {
            const std::uint32_t pick = PixelCanvas::hash(x / 2, shelf, 17);
            if (pick % 7 == 0) {
                continue;
            }
            const int height = 3 + static_cast<int>(pick % 2);
            c.fillRect(x, top + 4 - height, 1, height, spines[pick % 5]);
        }
        c.fillRect(0, top + 4, 16, 1, kWoodLight);
    }
}

void paintBedHead(PixelCanvas& c) {
    c.fillRect(1, 0, 14, 16, kWoodDark);
    c.fillRect(2, 1, 12, 2, kWoodLight);
    c.fillRect(2, 3, 12, 13, sf::Color(230, 230, 236));
    c.fillRect(3, 5, 10, 6, sf::Color(250, 250, 255));
    c.fillRect(3, 10, 10, 1, sf::Color(200, 200, 214));
    c.fillRect(2, 13, 12, 3, sf::Color(70, 100, 170));
}

void paintBedFoot(PixelCanvas& c) {
    c.fillRect(1, 0, 14, 16, kWoodDark);
    c.fillRect(2, 0, 12, 14, sf::Color(70, 100, 170));
    for (int y = 2; y < 14; y += 4) {
        c.fillRect(2, y, 12, 1, sf::Color(96, 128, 196));
    }
    c.fillRect(2, 14, 12, 2, kWoodLight);
}

void paintCrate(PixelCanvas& c) {
    c.fillRect(2, 3, 14, 13, kShadow);
    c.fillRect(1, 1, 13, 13, kWoodDark);
    c.fillRect(2, 2, 11, 11, kWood);
    for (int i = 0; i < 11; ++i) {
        c.set(2 + i, 2 + i, kWoodLight);
        c.set(12 - i, 2 + i, kWoodLight);
        c.set(3 + i > 12 ? 12 : 3 + i, 2 + i, kWoodDark);
    }
    c.fillRect(1, 1, 13, 1, kWoodLight);
}

void paintBarrel(PixelCanvas& c) {
    c.fillEllipse(9.0f, 10.0f, 7.0f, 6.0f, kShadow);
    c.fillDisc(8.0f, 8.0f, 6.5f, kWoodDark);
    c.fillDisc(8.0f, 8.0f, 5.5f, kWood);
    c.fillDisc(8.0f, 8.0f, 3.5f, kWoodLight);
    c.fillDisc(8.0f, 8.0f, 2.0f, kWood);
    for (int x = 2; x < 15; ++x) {
        if (c.get(x, 8).a == 255) {
            c.set(x, 8, kMetal);
        }
    }
}

void paintPlant(PixelCanvas& c) {
    c.fillEllipse(8.5f, 14.0f, 5.0f, 2.0f, kShadow);
    c.fillRect(5, 9, 7, 6, sf::Color(170, 90, 60));
    c.fillRect(5, 9, 7, 1, sf::Color(200, 120, 84));
    const sf::Color leaf(62, 140, 60);
    const sf::Color leafLight(110, 184, 90);
    c.fillEllipse(5.0f, 6.0f, 3.5f, 2.0f, leaf);
    c.fillEllipse(11.0f, 5.5f, 3.5f, 2.0f, leaf);
    c.fillEllipse(8.0f, 3.5f, 2.0f, 3.5f, leaf);
    c.set(8, 3, leafLight);
    c.set(4, 6, leafLight);
    c.set(11, 5, leafLight);
}

// The bench in the laboratory, crowded with bubbling flasks.
void paintLabBench(PixelCanvas& c) {
    c.fillRect(1, 3, 15, 13, kShadow);
    c.fillRect(0, 1, 16, 13, sf::Color(92, 96, 108));
    c.fillRect(1, 2, 14, 10, sf::Color(170, 176, 186));
    c.fillDisc(4.5f, 7.5f, 2.5f, sf::Color(90, 220, 110));
    c.fillRect(4, 3, 1, 3, sf::Color(220, 240, 240));
    c.fillDisc(11.0f, 8.0f, 2.5f, sf::Color(180, 90, 220));
    c.fillRect(10, 3, 2, 3, sf::Color(220, 240, 240));
    c.set(4, 6, sf::Color(220, 255, 220));
    c.set(11, 7, sf::Color(240, 210, 255));
    c.fillRect(7, 9, 2, 2, sf::Color(240, 200, 60));
}

void paintChair(PixelCanvas& c) {
    c.fillRect(5, 6, 8, 8, kShadow);
    c.fillRect(4, 3, 8, 2, kWoodDark);
    c.fillRect(4, 5, 8, 7, kWood);
    c.fillRect(5, 6, 6, 5, kWoodLight);
}

} // namespace

TileSheet InteriorPainter::paint() {
    TileSheet tiles("interior", "interior.png", 8);
    tiles.add("void", paintVoid);
    tiles.add("planks0", [](PixelCanvas& c) { paintPlanks(c, 1); });
    tiles.add("planks1", [](PixelCanvas& c) { paintPlanks(c, 2); });
    tiles.add("flagstones0", [](PixelCanvas& c) { paintFlagstones(c, 0); });
    tiles.add("flagstones1", [](PixelCanvas& c) { paintFlagstones(c, 1); });
    for (int mask = 0; mask < NeighbourMask::kCount; ++mask) {
        tiles.add("carpet" + std::to_string(mask), [mask](PixelCanvas& c) { paintCarpet(c, mask); });
    }
    tiles.add("wallTop", paintWallTop);
    tiles.add("wallFace", [](PixelCanvas& c) { paintWallFace(c, false); });
    tiles.add("wallFaceLamp", [](PixelCanvas& c) { paintWallFace(c, true); });
    tiles.add("doorFront",
              [](PixelCanvas& c) { paintDoorway(c, sf::Color(120, 80, 50), sf::Color(150, 104, 66)); });
    tiles.add("doorBack",
              [](PixelCanvas& c) { paintDoorway(c, sf::Color(50, 120, 70), sf::Color(90, 170, 100)); });
    tiles.add("table", paintTable);
    tiles.add("shelf", paintShelf);
    tiles.add("bedHead", paintBedHead);
    tiles.add("bedFoot", paintBedFoot);
    tiles.add("crate", paintCrate);
    tiles.add("barrel", paintBarrel);
    tiles.add("plant", paintPlant);
    tiles.add("labBench", paintLabBench);
    tiles.add("chair", paintChair);
    return tiles;
}
