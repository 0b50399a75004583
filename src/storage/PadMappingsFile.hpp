#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The player's own pad mappings, gamecontrollerdb.txt in the settings folder, in SDL's format: one pad a
// line ("GUID,name,a:b0,b:b1,...,platform:Linux,"). Comments, blank lines and lines for other systems are
// left out; what a line means is SDL's business.
class PadMappingsFile {
public:
    struct Line {
        std::size_t number;
        std::string text;
    };

    static std::string defaultPath();
    explicit PadMappingsFile(std::string path) : filePath(std::move(path)) {}

    // The lines for `platform` (SDL's name of the system, "Linux"). Empty and silent when there is no
    // file; empty with one line on sf::err() when it cannot be read.
    std::vector<Line> lines(const std::string& platform) const;
    // "<file>:<line>: <problem>; the line is skipped" on sf::err().
    void reportBadLine(const Line& line, const std::string& problem) const;
    const std::string& path() const { return filePath; }

private:
    std::string filePath;
};
