#include "storage/LevelCatalog.hpp"

#include "assets/ErrStream.hpp"
#include "map/LevelFile.hpp"
#include "storage/UserFolders.hpp"

#include <SFML/System/Err.hpp>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>

namespace fs = std::filesystem;

namespace {
// A problem longer than this is cut: the list shows it on one line beside the level's name.
constexpr std::size_t kLongestProblem = 72;

struct CheckedFile {
    fs::file_time_type modified;
    std::uintmax_t size = 0;
    std::string name;
    std::string problem;
};

// Checks made this run, by path: the list is opened again and again, the files rarely change.
std::map<std::string, CheckedFile>& checkedFiles() {
    static std::map<std::string, CheckedFile> files;
    return files;
}

std::string firstLine(const std::string& text) {
    std::string line = text.substr(0, text.find('\n'));
    if (line.size() > kLongestProblem) {
        line = line.substr(0, kLongestProblem - 3) + "...";
    }
    return line;
}

// The reader and the checker name the file, its line and "error:"; the list names the file itself, so
// "<path>:12: error: what" becomes "line 12: what".
std::string withoutPath(std::string line, const std::string& path) {
    if (line.rfind(path + ":", 0) == 0) {
        line.erase(0, path.size() + 1);
    }
    const std::size_t digits = line.find_first_not_of("0123456789");
    if (digits > 0 && digits != std::string::npos && line[digits] == ':') {
        line = "line " + line;
    }
    if (const std::size_t at = line.find("error: "); at != std::string::npos && line.find(':') + 2 >= at) {
        line.erase(at, 7);
    }
    while (!line.empty() && line[0] == ' ') {
        line.erase(0, 1);
    }
    return line;
}

CheckedFile check(const std::string& path) {
    CheckedFile checked;
    checked.name = fs::path(path).filename().string();
    std::ostringstream said;
    const LevelFile level = [&] {
        const ErrRedirect saying(said.rdbuf());
        return LevelFile::read(path);
    }();
    if (!level.map) {
        checked.problem = firstLine(withoutPath(said.str(), path));
        return checked;
    }
    if (const std::string name = level.map->property("name"); !name.empty()) {
        checked.name = firstLine(name);
    }
    for (const MapProblem& problem : level.problems) {
        if (problem.isError()) {
            checked.problem = firstLine(withoutPath(problem.format(path), path));
            break;
        }
    }
    return checked;
}

const CheckedFile& checkedNow(const std::string& path) {
    std::error_code error;
    const fs::file_time_type modified = fs::last_write_time(path, error);
    const std::uintmax_t size = error ? 0 : fs::file_size(path, error);
    auto found = checkedFiles().find(path);
    if (found == checkedFiles().end() || found->second.modified != modified || found->second.size != size) {
        CheckedFile fresh = check(path);
        fresh.modified = modified;
        fresh.size = size;
        found = checkedFiles().insert_or_assign(path, std::move(fresh)).first;
    }
    return found->second;
}
} // namespace

const std::vector<std::string>& LevelCatalog::shippedLevels() {
    static const std::vector<std::string> levels = {"Assets/map.tmx", "Assets/level2.tmx",
                                                    "Assets/level3.tmx"};
    return levels;
}

std::string LevelCatalog::defaultPlayerFolder() {
    return UserFolders::data("levels");
}

LevelCatalog::LevelCatalog(const std::string& playerFolder, std::string records)
    : paths(shippedLevels()), recordsPath(std::move(records)) {
    std::vector<std::string> own;
    std::error_code error;
    if (!playerFolder.empty()) {
        for (fs::directory_iterator entry(playerFolder, error), end; !error && entry != end;
             entry.increment(error)) {
            if (entry->path().extension() == ".tmx") {
                own.push_back(entry->path().string());
            }
        }
    }
    std::sort(own.begin(), own.end());
    paths.insert(paths.end(), own.begin(), own.end());
    looked.resize(paths.size());
}

const LevelCatalog::Details& LevelCatalog::details(std::size_t index) {
    std::optional<Details>& entry = looked.at(index);
    if (!entry) {
        const CheckedFile& checked = checkedNow(paths[index]);
        entry = Details{checked.name, checked.problem, {}};
        if (!recordsPath.empty() && entry->playable()) {
            // A garbled records file is reported when a win is saved, not here.
            const ErrRedirect quiet(nullptr);
            entry->records = RecordsFile(recordsPath).findAll(RecordsFile::levelKey(paths[index]));
        }
    }
    return *entry;
}
