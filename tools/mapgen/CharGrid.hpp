#pragma once

#include <optional>
#include <string>
#include <vector>

// A rectangle of characters read from a text-art file: one character per map cell.
class CharGrid {
public:
    CharGrid(int width, int height, char fill);

    // Reads exactly `height` lines of `width` characters; on a size mismatch prints one line
    // naming the file and the line to sf::err() and returns nothing.
    static std::optional<CharGrid> load(const std::string& path, int width, int height);
    // The same, as wide as the file's first line and as high as its lines are many.
    static std::optional<CharGrid> load(const std::string& path);

    int width() const { return columns; }
    int height() const { return rows; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < columns && y < rows; }
    // The character at (x, y); `outside` for cells beyond the edge.
    char at(int x, int y, char outside = ' ') const;
    void set(int x, int y, char value);

private:
    int columns;
    int rows;
    std::vector<char> cells;
};
