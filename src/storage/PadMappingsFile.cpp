#include "storage/PadMappingsFile.hpp"

#include "common/FileCheck.hpp"
#include "i18n/Translator.hpp"
#include "storage/PrintableText.hpp"
#include "storage/UserFolders.hpp"

#include <SFML/System/Err.hpp>
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <sstream>
#include <unordered_map>

namespace {
// SDL's community database is under a megabyte; a file far larger is not a list of pads.
const std::uintmax_t kLargestMappings = 16u << 20;
// SDL quotes a line it cannot read; a binary file's line is cut to this much of it.
const std::size_t kLongestProblem = 160;

bool isForPlatform(const std::string& line, const std::string& platform) {
    const std::size_t field = line.find("platform:");
    return field == std::string::npos || line.compare(field + 9, platform.size() + 1, platform + ",") == 0 ||
           line.substr(field + 9) == platform;
}

// The pad a line is for: its GUID, whose hex digits SDL reads in either case.
std::string padOf(const std::string& line) {
    std::string guid = line.substr(0, line.find(','));
    std::transform(guid.begin(), guid.end(), guid.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return guid;
}
} // namespace

std::string PadMappingsFile::defaultPath() {
    return UserFolders::config("gamecontrollerdb.txt");
}

std::size_t PadMappingsFile::addTo(const std::string& platform, const AddMapping& add) const {
    const std::vector<Line> found = lines(platform);
    std::size_t bad = 0;
    for (const Line& line : found) {
        const std::string problem = add(line.text);
        if (!problem.empty() && ++bad <= kBadLinesNamed) {
            sf::err() << filePath << ":" << line.number << ": "
                      << PrintableText::forTerminal(problem, kLongestProblem) << tr("; the line is skipped")
                      << std::endl;
        }
    }
    if (bad > kBadLinesNamed) {
        sf::err() << filePath << ": "
                  << fill(tr("{1} more lines SDL cannot read are skipped"),
                          {std::to_string(bad - kBadLinesNamed)})
                  << std::endl;
    }
    return found.size();
}

std::vector<PadMappingsFile::Line> PadMappingsFile::lines(const std::string& platform) const {
    std::error_code error;
    if (filePath.empty() ||
        std::filesystem::symlink_status(filePath, error).type() == std::filesystem::file_type::not_found) {
        return {};
    }
    std::string text;
    if (const std::string problem = FileCheck::read(filePath, kLargestMappings, text); !problem.empty()) {
        sf::err() << filePath << ": " << problem << tr("; only SDL's own pad mappings are used") << std::endl;
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
    return onePerPad(found);
}

// SDL keeps the last mapping of a pad, so the earlier ones need not reach it at all.
std::vector<PadMappingsFile::Line> PadMappingsFile::onePerPad(const std::vector<Line>& all) const {
    std::unordered_map<std::string, std::size_t> lastLineOf;
    for (std::size_t i = 0; i < all.size(); ++i) {
        lastLineOf[padOf(all[i].text)] = i;
    }
    std::vector<Line> kept;
    for (std::size_t i = 0; i < all.size() && kept.size() < kMostPads; ++i) {
        if (lastLineOf.at(padOf(all[i].text)) == i) {
            kept.push_back(all[i]);
        }
    }
    if (lastLineOf.size() > kMostPads) {
        sf::err() << filePath << ": "
                  << fill(tr("has mappings for {1} pads; only the first {2} are used"),
                          {std::to_string(lastLineOf.size()), std::to_string(kMostPads)})
                  << std::endl;
    }
    return kept;
}
