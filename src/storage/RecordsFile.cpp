#include "storage/RecordsFile.hpp"

#include "assets/FileCheck.hpp"
#include "storage/AtomicFile.hpp"
#include "storage/UserFolders.hpp"

#include <SFML/System/Err.hpp>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <sstream>
#include <toml++/toml.h>

namespace fs = std::filesystem;

namespace {
// FNV-1a, 64 bits: stable across runs and machines, and plenty to tell edits of one map apart.
std::string contentHash(std::istream& in) {
    std::uint64_t hash = 1469598103934665603ull;
    char c = 0;
    while (in.get(c)) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    }
    std::ostringstream text;
    text << std::hex << std::setw(16) << std::setfill('0') << hash;
    return text.str();
}
} // namespace

RecordsFile::RecordsFile(std::string path) : filePath(std::move(path)) {}

std::string RecordsFile::defaultPath() {
    return UserFolders::data("records.toml");
}

std::string RecordsFile::levelKey(const std::string& mapPath) {
    if (!FileCheck::problemWith(mapPath, FileCheck::kLargestMap).empty()) {
        return {};
    }
    std::ifstream in(mapPath, std::ios::binary);
    if (!in) {
        return {};
    }
    return fs::path(mapPath).filename().string() + "#" + contentHash(in);
}

void RecordsFile::report(std::size_t line, const std::string& problem) {
    keepBadCopy = true;
    sf::err() << filePath;
    if (line > 0) {
        sf::err() << ":" << line;
    }
    sf::err() << ": " << problem << std::endl;
}

std::map<std::string, RecordsFile::Record> RecordsFile::load() {
    std::map<std::string, Record> records;
    keepBadCopy = false;
    std::error_code error;
    if (filePath.empty() || !fs::exists(fs::status(filePath, error))) {
        return records;
    }
    const std::string problem = FileCheck::problemWith(filePath, kLargestFile);
    if (!problem.empty()) {
        unusable = !fs::is_regular_file(fs::status(filePath, error));
        report(0, problem + (unusable ? "; records are not kept" : "; starting afresh"));
        return records;
    }
    toml::table file;
    try {
        file = toml::parse_file(filePath);
    } catch (const toml::parse_error& bad) {
        std::string what(bad.description());
        for (char& c : what) {
            c = c == '\n' ? ' ' : c;
        }
        report(static_cast<std::size_t>(bad.source().begin.line), what + "; starting afresh");
        return records;
    }
    const toml::table* levels = file["levels"].as_table();
    if (!levels) {
        if (file.contains("levels")) {
            report(file["levels"].node()->source().begin.line, "levels must be a table; starting afresh");
        }
        return records;
    }
    for (auto&& [name, entry] : *levels) {
        const auto best = entry.at_path("best").value<double>();
        const auto wins = entry.at_path("wins").value<std::int64_t>();
        if (!entry.is_table() || !best || !wins || !std::isfinite(*best) || *best <= 0.0 || *wins < 1) {
            report(entry.source().begin.line, "levels.\"" + std::string(name.str()) +
                                                  "\" needs best > 0 seconds and wins >= 1; dropped");
            continue;
        }
        records[std::string(name.str())] = {*best, static_cast<int>(std::min<std::int64_t>(*wins, 1 << 30))};
    }
    return records;
}

std::optional<RecordsFile::Record> RecordsFile::find(const std::string& level) {
    const auto records = load();
    const auto found = records.find(level);
    if (found == records.end()) {
        return std::nullopt;
    }
    return found->second;
}

bool RecordsFile::recordWin(const std::string& level, double seconds) {
    std::map<std::string, Record> records = load();
    Record& record = records[level];
    const bool best = record.wins == 0 || seconds < record.bestSeconds;
    record.wins += 1;
    if (best) {
        record.bestSeconds = seconds;
    }
    if (filePath.empty() || unusable || level.empty()) {
        return best;
    }
    std::string problem;
    if (keepBadCopy && !AtomicFile::keepAsBad(filePath, problem)) {
        // The bad file stays where it is rather than be lost.
        report(0, problem + "; this win is not recorded");
        return best;
    }
    if (!AtomicFile::write(filePath, toText(records), problem)) {
        report(0, problem);
    }
    return best;
}

std::string RecordsFile::toText(const std::map<std::string, Record>& records) {
    std::ostringstream text;
    text << "# Pellowick's best times: one table per level, named after its file and its content.\n";
    for (const auto& [level, record] : records) {
        toml::table entry;
        entry.insert("best", record.bestSeconds);
        entry.insert("wins", static_cast<std::int64_t>(record.wins));
        text << "\n[levels." << toml::value<std::string>(level) << "]\n" << entry << "\n";
    }
    return text.str();
}
