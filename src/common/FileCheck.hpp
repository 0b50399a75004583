#pragma once

#include <SFML/System/Vector2.hpp>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

// Looks at a file before anything reads it, so a folder, a pipe, a device, a link loop or an absurdly
// large file never reaches a reader that would block, spin or fill the memory with it.
//
// A path with nothing behind it passes: each reader reports a missing file in its own words, and the game
// treats every refused file exactly as a missing one of the same kind.
class FileCheck {
public:
    static constexpr std::uintmax_t kNoLimit = std::numeric_limits<std::uintmax_t>::max();
    static constexpr std::uintmax_t kLargestMap = 64u << 20;
    static constexpr std::uintmax_t kLargestForm = 4u << 20;
    // A settings file is a few hundred bytes.
    static constexpr std::uintmax_t kLargestSettings = 1u << 20;
    // No sprite, tileset or screen picture of the game comes near this many pixels a side.
    static constexpr unsigned kLargestPictureSide = 4096;

    // What is wrong with reading `path` as a file of at most `largest` bytes, or "" when nothing is:
    // "is a folder", "is not a regular file", "is N bytes; the game reads at most M".
    static std::string problemWith(const std::string& path, std::uintmax_t largest = kNoLimit);
    // Same, writing "<path>: <problem>" on sf::err(); true when the file may be read.
    static bool mayRead(const std::string& path, std::uintmax_t largest = kNoLimit);
    // Reads the whole file into `text` after the same checks: "" then, else the problem ("cannot be read:
    // <reason>" among them). Never waits on a pipe or device put in the file's place after the checks,
    // and never reads past `largest` bytes should the file grow meanwhile.
    static std::string read(const std::string& path, std::uintmax_t largest, std::string& text);

    // The size a PNG file gives in its header; nothing when the file is not a PNG.
    static std::optional<sf::Vector2u> pngSize(const std::string& path);
    // What is wrong with loading `path` as a picture of at most `largestSide` pixels a side, or "":
    // a file problem, or "is WxH pixels, more than N a side". Only the header of a PNG is read.
    static std::string pictureProblem(const std::string& path, unsigned largestSide);
    // Same, writing "<path>: <problem>" on sf::err(); true when the picture may be loaded.
    static bool mayLoadPicture(const std::string& path, unsigned largestSide);
    static std::string sizeProblem(sf::Vector2u size, unsigned largestSide);

    // The role limit, or the graphics card's largest texture when that is smaller. Asks the card only
    // when a display can be opened (the level checker also runs without one) and only once.
    static unsigned largestTextureSide();
};
