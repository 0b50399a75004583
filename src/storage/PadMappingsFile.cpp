#include "storage/PadMappingsFile.hpp"

#include "assets/FileCheck.hpp"
#include "storage/UserFolders.hpp"

#include <SFML/System/Err.hpp>
#include <filesystem>
#include <sstream>

namespace {
// SDL's community database is under a megabyte; a file far larger is not a list of pads.
const std::uintmax_t kLargestMappings = 16u << 20;

bool isForPlatform(const std::string& line, const std::string& platform) {
    const std::size_t field = line.find("platform:");
    return field == std::string::npos || line.compare(field + 9, platform.size() + 1, platform + ",") == 0 ||
           line.substr(field + 9) == platform;
}
} // namespace

std::string PadMappingsFile::defaultPath() {
    return UserFolders::config("gamecontrollerdb.txt");
}

std::vector<PadMappingsFile::Line> PadMappingsFile::lines(const std::string& platform) const {
    std::error_code ignored;
    if (filePath.empty() || !std::filesystem::exists(filePath, ignored)) {
        return {};
    }
    std::string text;
    if (const std::string problem = FileCheck::read(filePath, kLargestMappings, text); !problem.empty()) {
        sf::err() << filePath << ": " << problem << "; only SDL's own pad mappings are used" << std::endl;
        return {};
    }
    std::vector<Line> found;
    std::istringstream input(text);
    std::string line;
    for (std::size_t number = 1; std::getline(input, line); ++number) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.find_first_not_of(" \t") == std::string::npos || line[0] == '#' ||
            !isForPlatform(line, platform)) {
            continue;
        }
        found.push_back({number, line});
    }
    return found;
}

void PadMappingsFile::reportBadLine(const Line& line, const std::string& problem) const {
    sf::err() << filePath << ":" << line.number << ": " << problem << "; the line is skipped" << std::endl;
}
