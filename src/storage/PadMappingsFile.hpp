#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// The player's own pad mappings, gamecontrollerdb.txt in the settings folder, in SDL's format: one pad a
// line ("GUID,name,a:b0,b:b1,...,platform:Linux,"). Comments, blank lines and lines for other systems are
// left out; what a line means is SDL's business.
class PadMappingsFile {
public:
    // The most pads taken from the file. SDL compares each new mapping with every one it knows, so adding
    // them costs the square of their number; SDL's community database has a few thousand lines for all
    // systems together.
    static constexpr std::size_t kMostPads = 2000;
    // Bad lines named one by one; any more are counted in one line.
    static constexpr std::size_t kBadLinesNamed = 3;

    // Adds one line's mapping: "" when it was taken, else why not.
    using AddMapping = std::function<std::string(const std::string& line)>;

    static std::string defaultPath();
    explicit PadMappingsFile(std::string path) : filePath(std::move(path)) {}

    // Hands `add` the lines for `platform` (SDL's name of the system, "Linux"), each pad's last line only
    // and at most kMostPads of them; returns how many it handed. Silent when there is no file; one line on
    // sf::err() when it cannot be read, when it has more pads than are taken, and for each bad line
    // ("<file>:<line>: <problem>; the line is skipped", without the line's control bytes) up to
    // kBadLinesNamed, then one counting the rest.
    std::size_t addTo(const std::string& platform, const AddMapping& add) const;
    const std::string& path() const { return filePath; }

private:
    struct Line {
        std::size_t number;
        std::string text;
    };

    std::vector<Line> lines(const std::string& platform) const;
    std::vector<Line> onePerPad(const std::vector<Line>& all) const;

    std::string filePath;
};
