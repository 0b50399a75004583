#include "PixelSprites.hpp"

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace assetgen {
namespace PixelSprites {

namespace {

using Palette = std::map<char, sf::Color>;
using Rows = std::vector<std::string>;

// One character per pixel; '.' is transparent. A typo in the art is a bug in this tool, so it throws.
sf::Image paint(const Rows& rows, const Palette& palette) {
    const unsigned height = static_cast<unsigned>(rows.size());
    const unsigned width = static_cast<unsigned>(rows.front().size());
    sf::Image image;
    image.create(width, height, sf::Color::Transparent);
    for (unsigned y = 0; y < height; ++y) {
        if (rows[y].size() != width) {
            throw std::logic_error("pixel art row " + std::to_string(y) + " is not " + std::to_string(width) +
                                   " wide");
        }
        for (unsigned x = 0; x < width; ++x) {
            const char key = rows[y][x];
            if (key == '.') {
                continue;
            }
            const auto colour = palette.find(key);
            if (colour == palette.end()) {
                throw std::logic_error(std::string("pixel art uses the unknown colour key '") + key + "'");
            }
            image.setPixel(x, y, colour->second);
        }
    }
    return image;
}

// Body, chest and legs shared by every dog; the heads differ.
const Rows kDogBody = {
    "...obboooobbo.t.", //
    "..obbbbbbbbbbot.", //
    "..obbbbbbbbbbo..", //
    "..obbbbbbbbbbo..", //
    "...obboooobbo...", //
    "...opbo..obpo...", //
    "...oooo..oooo...", //
};

Rows withBody(Rows head) {
    head.insert(head.end(), kDogBody.begin(), kDogBody.end());
    return head;
}

} // namespace

sf::Image player() {
    const Rows rows = {
        "................", //
        "......oooo......", //
        ".....oHHHHo.....", //
        "....oHhhhhho....", //
        "....omemmemo....", //
        "....ohssssho....", //
        ".....ohhhho.....", //
        "...ooHhhhhHoo...", //
        "..oHhhhhhhhhHo..", //
        "..oshhhhhhhhso..", //
        "...oBBBByBBBo...", //
        "...ohhhhhhhho...", //
        "....ohhoohho....", //
        "...offo..offo...", //
        "...oooo..oooo...", //
        "................", //
    };
    const Palette palette = {
        {'o', sf::Color(18, 14, 26)}, {'h', sf::Color(80, 66, 128)},   {'H', sf::Color(118, 102, 176)},
        {'m', sf::Color(28, 26, 43)}, {'e', sf::Color(245, 245, 235)}, {'s', sf::Color(222, 170, 128)},
        {'B', sf::Color(44, 34, 56)}, {'y', sf::Color(232, 190, 80)},  {'f', sf::Color(84, 64, 44)},
    };
    return paint(rows, palette);
}

sf::Image dog1() {
    const Rows head = {
        "................", //
        "..oo........oo..", //
        ".oEEooooooooEEo.", //
        ".oEEoccccccoEEo.", //
        ".oEEcckcckccEEo.", //
        ".oEEccccccccEEo.", //
        "..oEcclnnlccEo..", //
        "...occllllcco...", //
        "....oocllcoo....", //
    };
    const Palette palette = {
        {'o', sf::Color(42, 26, 14)},    {'E', sf::Color(92, 58, 30)},    {'c', sf::Color(160, 104, 54)},
        {'l', sf::Color(222, 182, 126)}, {'n', sf::Color(26, 16, 16)},    {'k', sf::Color(20, 14, 10)},
        {'b', sf::Color(140, 92, 48)},   {'p', sf::Color(222, 182, 126)}, {'t', sf::Color(140, 92, 48)},
    };
    return paint(withBody(head), palette);
}

sf::Image dog2() {
    const Rows head = {
        "...o........o...", //
        "..oEo......oEo..", //
        "..oEEooooooEEo..", //
        "..occcccccccco..", //
        "..occckcckccco..", //
        "..occcccccccco..", //
        "..occclnnlccco..", //
        "...occllllcco...", //
        "....oocllcoo....", //
    };
    const Palette palette = {
        {'o', sf::Color(30, 33, 39)},    {'E', sf::Color(64, 68, 78)},    {'c', sf::Color(146, 152, 162)},
        {'l', sf::Color(208, 212, 218)}, {'n', sf::Color(20, 20, 24)},    {'k', sf::Color(16, 16, 20)},
        {'b', sf::Color(118, 124, 134)}, {'p', sf::Color(208, 212, 218)}, {'t', sf::Color(118, 124, 134)},
    };
    return paint(withBody(head), palette);
}

sf::Image dogAngry() {
    const Rows head = {
        "...o........o...", //
        "..oEo......oEo..", //
        "..oEEooooooEEo..", //
        "..ockcccccckco..", //
        "..occkkcckkcco..", //
        "..occRRccRRcco..", //
        "..occclnnlccco..", //
        "...ocwmwwmwco...", //
        "....omwmmwmo....", //
    };
    const Palette palette = {
        {'o', sf::Color(26, 8, 6)},     {'E', sf::Color(70, 22, 16)},    {'c', sf::Color(120, 46, 32)},
        {'l', sf::Color(186, 116, 92)}, {'n', sf::Color(18, 8, 8)},      {'k', sf::Color(12, 4, 4)},
        {'R', sf::Color(255, 40, 40)},  {'w', sf::Color(250, 250, 245)}, {'m', sf::Color(90, 10, 16)},
        {'b', sf::Color(104, 40, 28)},  {'p', sf::Color(186, 116, 92)},  {'t', sf::Color(104, 40, 28)},
    };
    return paint(withBody(head), palette);
}

sf::Image egg() {
    const Rows rows = {
        "...oo...", //
        "..owwo..", //
        ".owHwwo.", //
        ".owwwwo.", //
        "owwwwwwo", //
        "owwwwwso", //
        ".owwwso.", //
        "..oooo..", //
    };
    const Palette palette = {
        {'o', sf::Color(138, 130, 112)},
        {'w', sf::Color(251, 248, 238)},
        {'H', sf::Color(255, 255, 255)},
        {'s', sf::Color(217, 210, 190)},
    };
    return paint(rows, palette);
}

sf::Image formula() {
    const Rows rows = {
        "................", //
        "......oooo...*..", //
        "......occo......", //
        "..*...oooo......", //
        "......oGgo......", //
        "......ogGo......", //
        ".....ogggGo.....", //
        "...aoggggggoa...", //
        "..aoLLLLLLLLoa..", //
        ".aoLLWLLLLLLLoa.", //
        ".aoLLLLLLLLLLoa.", //
        ".aolLLLLLLLLloa.", //
        ".aollLLLLLLlloa.", //
        "..aolllllllloa..", //
        "...aooooooooa...", //
        "....aaaaaaaa....", //
    };
    const Palette palette = {
        {'o', sf::Color(30, 60, 66)},    {'c', sf::Color(168, 116, 62)},
        {'G', sf::Color(232, 255, 255)}, {'g', sf::Color(160, 216, 224, 190)},
        {'L', sf::Color(140, 255, 90)},  {'l', sf::Color(62, 194, 74)},
        {'W', sf::Color(244, 255, 224)}, {'a', sf::Color(140, 255, 90, 90)},
        {'*', sf::Color(255, 247, 176)},
    };
    return paint(rows, palette);
}

} // namespace PixelSprites
} // namespace assetgen
