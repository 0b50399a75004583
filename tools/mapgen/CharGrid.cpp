#include "CharGrid.hpp"

#include "common/FileCheck.hpp"

#include <SFML/System/Err.hpp>
#include <fstream>

namespace {
// Far above any grid of art the level source holds.
constexpr std::uintmax_t kLargestArtFile = 1u << 20;
} // namespace

CharGrid::CharGrid(int width, int height, char fill)
    : columns(width), rows(height), cells(static_cast<std::size_t>(width * height), fill) {}

std::optional<CharGrid> CharGrid::load(const std::string& path, int width, int height) {
    if (!FileCheck::mayRead(path, kLargestArtFile)) {
        return std::nullopt;
    }
    std::ifstream in(path);
    if (!in) {
        sf::err() << path << ": cannot open the file" << std::endl;
        return std::nullopt;
    }
    CharGrid grid(width, height, ' ');
    std::string line;
    int y = 0;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (y >= height) {
            sf::err() << path << ":" << y + 1 << ": more than " << height << " lines of art" << std::endl;
            return std::nullopt;
        }
        if (static_cast<int>(line.size()) != width) {
            sf::err() << path << ":" << y + 1 << ": line has " << line.size() << " characters, expected "
                      << width << std::endl;
            return std::nullopt;
        }
        for (int x = 0; x < width; ++x) {
            grid.set(x, y, line[static_cast<std::size_t>(x)]);
        }
        ++y;
    }
    if (y != height) {
        sf::err() << path << ": " << y << " lines of art, expected " << height << std::endl;
        return std::nullopt;
    }
    return grid;
}

std::optional<CharGrid> CharGrid::load(const std::string& path) {
    if (!FileCheck::mayRead(path, kLargestArtFile)) {
        return std::nullopt;
    }
    std::ifstream in(path);
    std::string line;
    int width = 0;
    int height = 0;
    while (std::getline(in, line)) {
        if (height++ == 0) {
            width = static_cast<int>(line.size()) - (!line.empty() && line.back() == '\r' ? 1 : 0);
        }
    }
    if (width == 0) {
        sf::err() << path << ": no art; the first line gives the level's width" << std::endl;
        return std::nullopt;
    }
    return load(path, width, height);
}

char CharGrid::at(int x, int y, char outside) const {
    return contains(x, y) ? cells[static_cast<std::size_t>(y * columns + x)] : outside;
}

void CharGrid::set(int x, int y, char value) {
    if (contains(x, y)) {
        cells[static_cast<std::size_t>(y * columns + x)] = value;
    }
}
