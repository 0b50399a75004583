#include "storage/GhostFile.hpp"

#include "common/FileCheck.hpp"
#include "i18n/Translator.hpp"
#include "storage/AtomicFile.hpp"
#include "storage/UserFolders.hpp"

#include <SFML/System/Err.hpp>
#include <filesystem>

namespace fs = std::filesystem;

namespace {
// File names hold 255 bytes; the key's content hash at its end keeps shortened names apart.
constexpr std::size_t kLongestKey = 200;
constexpr std::size_t kKeptEnd = 40;

std::string shortened(const std::string& key) {
    if (key.size() <= kLongestKey) {
        return key;
    }
    std::size_t cut = kLongestKey - kKeptEnd;
    // Not in the middle of a letter: continuation bytes are 10xxxxxx.
    while (cut > 0 && (static_cast<unsigned char>(key[cut]) & 0xC0) == 0x80) {
        --cut;
    }
    std::size_t from = key.size() - kKeptEnd;
    while (from < key.size() && (static_cast<unsigned char>(key[from]) & 0xC0) == 0x80) {
        ++from;
    }
    return key.substr(0, cut) + "~" + key.substr(from);
}

// Why a ghost cannot be kept at `path`, or "" when it can: only a plain file, or nothing, is replaced.
std::string unusable(const std::string& path) {
    std::error_code error;
    const fs::file_status status = fs::symlink_status(path, error);
    if (status.type() == fs::file_type::not_found || fs::is_regular_file(status)) {
        return "";
    }
    if (fs::is_symlink(status)) {
        return tr("is a link; a ghost is only a plain file");
    }
    return fs::is_directory(status) ? tr("is a folder") : tr("is not a plain file");
}
} // namespace

GhostFile::GhostFile(std::string folder) : folder(std::move(folder)) {}

std::string GhostFile::defaultFolder() {
    return UserFolders::data("ghosts");
}

std::string GhostFile::pathFor(const std::string& levelKey, Difficulty difficulty) const {
    if (folder.empty() || levelKey.empty()) {
        return "";
    }
    return folder + "/" + shortened(levelKey) + "." + Difficulties::nameOf(difficulty) + ".ghost";
}

std::optional<GhostRun> GhostFile::load(const std::string& levelKey, Difficulty difficulty) const {
    const std::string path = pathFor(levelKey, difficulty);
    std::error_code error;
    if (path.empty() || fs::symlink_status(path, error).type() == fs::file_type::not_found) {
        return std::nullopt;
    }
    std::string problem = unusable(path);
    std::string text;
    if (problem.empty()) {
        problem = FileCheck::read(path, kLargestFile, text);
    }
    std::optional<GhostRun> run;
    if (problem.empty()) {
        run = GhostRun::fromText(text, problem);
    }
    if (!run) {
        sf::err() << path << ": " << problem << tr("; the level plays without its ghost") << std::endl;
    }
    return run;
}

bool GhostFile::save(const std::string& levelKey, Difficulty difficulty, const GhostRun& run) const {
    const std::string path = pathFor(levelKey, difficulty);
    if (path.empty() || run.empty()) {
        return false;
    }
    std::string problem = unusable(path);
    if (problem.empty() && AtomicFile::write(path, run.toText(), problem)) {
        return true;
    }
    sf::err() << path << ": " << problem << tr("; the ghost of this run is not kept") << std::endl;
    return false;
}
