#include "storage/RecordsCarryOver.hpp"

#include "common/ErrStream.hpp"
#include "storage/GhostFile.hpp"
#include "storage/RecordsFile.hpp"

#include <filesystem>
#include <optional>

namespace fs = std::filesystem;

namespace {
bool nothingAt(const std::string& path) {
    std::error_code error;
    return fs::symlink_status(path, error).type() == fs::file_type::not_found;
}

// The quickest ghost among the earlier keys of one level, read quietly: one that cannot be read is simply
// not carried.
std::optional<GhostRun> quickestEarlierGhost(const GhostFile& ghosts,
                                             const std::multimap<std::string, std::string>& earlierKeys,
                                             const std::string& levelId, Difficulty difficulty) {
    std::optional<GhostRun> quickest;
    const auto [first, end] = earlierKeys.equal_range(levelId);
    for (auto earlier = first; earlier != end; ++earlier) {
        if (nothingAt(ghosts.pathFor(earlier->second, difficulty))) {
            continue;
        }
        const ErrRedirect quiet(nullptr);
        std::optional<GhostRun> ghost = ghosts.load(earlier->second, difficulty);
        if (ghost && (!quickest || ghost->size() < quickest->size())) {
            quickest = std::move(ghost);
        }
    }
    return quickest;
}
} // namespace

const std::multimap<std::string, std::string>& RecordsCarryOver::shippedHistory() {
    static const std::multimap<std::string, std::string> keys = {
#define EARLIER_LEVEL_KEY(levelId, key) {levelId, key},
#include "storage/EarlierLevelKeys.def"
#undef EARLIER_LEVEL_KEY
    };
    return keys;
}

void RecordsCarryOver::run(const std::string& recordsPath, const std::string& ghostsFolder,
                           const std::multimap<std::string, std::string>& earlierKeys) {
    RecordsFile(recordsPath).carryOver(earlierKeys);
    if (ghostsFolder.empty()) {
        return;
    }
    const GhostFile ghosts(ghostsFolder);
    for (auto first = earlierKeys.begin(); first != earlierKeys.end();
         first = earlierKeys.upper_bound(first->first)) {
        for (const Difficulty difficulty : Difficulties::all()) {
            if (!nothingAt(ghosts.pathFor(first->first, difficulty))) {
                continue;
            }
            if (const auto ghost = quickestEarlierGhost(ghosts, earlierKeys, first->first, difficulty)) {
                ghosts.save(first->first, difficulty, *ghost);
            }
        }
    }
}
