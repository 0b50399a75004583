#include "storage/RecordsFile.hpp"

#include "common/ErrStream.hpp"
#include "common/FileCheck.hpp"
#include "i18n/Translator.hpp"
#include "map/LevelSchema.hpp"
#include "map/TmxReader.hpp"
#include "storage/AtomicFile.hpp"
#include "storage/FileLock.hpp"
#include "storage/PrintableText.hpp"
#include "storage/UserFolders.hpp"

#include <SFML/System/Err.hpp>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iomanip>
#include <iterator>
#include <sstream>
#include <string_view>
#include <toml++/toml.h>

namespace fs = std::filesystem;

namespace {
using Record = RecordsFile::Record;
using Records = std::map<std::string, RecordsFile::LevelRecords>;
using Report = std::function<void(std::size_t line, const std::string& problem)>;

constexpr std::int64_t kMostWins = 1 << 30;

// FNV-1a, 64 bits: stable across runs and machines, and plenty to tell edits of one map apart.
std::string contentHash(std::string_view content) {
    std::uint64_t hash = 1469598103934665603ull;
    for (const char c : content) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    }
    std::ostringstream text;
    text << std::hex << std::setw(16) << std::setfill('0') << hash;
    return text.str();
}

// The map's levelId when it carries one the checker allows; "" otherwise, and for text that is no map.
std::string levelIdIn(const std::string& content) {
    std::ostringstream quiet;
    std::string text = content; // parsed in place
    const auto map = parseTileMap(text.data(), "map", quiet);
    const std::string id = map ? map->property(LevelSchema::kLevelId) : "";
    return LevelSchema::levelIdAllowed(id) ? id : "";
}

bool isHexDigit(char c) {
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

// Printable UTF-8 that tells every byte string apart: other bytes become "%XX", and so does a '%' that
// is followed by two hex digits, so that "%XX" in the result always stands for one byte.
std::string escaped(std::string_view bytes) {
    std::string text;
    for (std::size_t at = 0; at < bytes.size();) {
        const bool readsAsEscape = bytes[at] == '%' && at + 2 < bytes.size() && isHexDigit(bytes[at + 1]) &&
                                   isHexDigit(bytes[at + 2]);
        const std::size_t length = readsAsEscape ? 0 : PrintableText::letterAt(bytes, at);
        if (length > 0) {
            text.append(bytes.substr(at, length));
            at += length;
            continue;
        }
        static const char digits[] = "0123456789ABCDEF";
        const auto value = static_cast<unsigned char>(bytes[at++]);
        text += {'%', digits[value >> 4], digits[value & 0xF]};
    }
    return text;
}

std::string entryName(std::string_view level, std::optional<Difficulty> difficulty = std::nullopt) {
    return "levels.\"" + escaped(level) + "\"" + (difficulty ? "." + Difficulties::nameOf(*difficulty) : "");
}

// Whether a win in `seconds` at `speed` takes the place of the record's best time: any full-speed time beats
// an assisted one, and an assisted one never beats a full-speed one.
bool replacesBest(const Record& record, double seconds, int speed) {
    const bool full = speed >= RecordsFile::kFullSpeed;
    if (record.wins == 0 || full != !record.assisted()) {
        return record.wins == 0 || full;
    }
    return seconds < record.bestSeconds;
}

void keepBoth(Record& kept, const Record& other) {
    if (replacesBest(kept, other.bestSeconds, other.speed)) {
        kept.bestSeconds = other.bestSeconds;
        kept.speed = other.speed;
    }
    kept.wins = std::max(kept.wins, other.wins);
}

// A difficulty's record, or nothing (after a report) when its values are not those of real runs.
std::optional<Record> readRecord(const toml::node& entry, const std::string& name, std::size_t firstLine,
                                 const Report& report) {
    const toml::node_view<const toml::node> values(&entry);
    const double best = values["best"].value_or(std::nan(""));
    const std::int64_t wins = values["wins"].value_or(std::int64_t{0});
    const std::int64_t speed = values["assisted"].value_or(std::int64_t{RecordsFile::kFullSpeed});
    if (!std::isfinite(best) || best <= 0.0 || best > RecordsFile::kLongestRun || wins < 1) {
        report(
            firstLine + entry.source().begin.line - 1,
            fill(tr("{1} needs a best time above 0 and at most {2} seconds and wins of at least 1; dropped"),
                 {name, std::to_string(static_cast<int>(RecordsFile::kLongestRun))}));
        return std::nullopt;
    }
    if (speed < RecordsFile::kSlowestSpeed || speed > RecordsFile::kFullSpeed) {
        report(firstLine + entry.source().begin.line - 1,
               fill(tr("{1} has assisted = {2}; a game speed is from {3} to {4} percent; dropped"),
                    {name, std::to_string(speed), std::to_string(RecordsFile::kSlowestSpeed),
                     std::to_string(RecordsFile::kFullSpeed - 1)}));
        return std::nullopt;
    }
    return Record{best, static_cast<int>(std::min(wins, kMostWins)), static_cast<int>(speed)};
}

// Fills each level's difficulties that have no record from its earlier keys; true when any was filled.
bool carryInto(Records& records, const std::multimap<std::string, std::string>& earlierKeys) {
    bool carried = false;
    for (auto first = earlierKeys.begin(); first != earlierKeys.end();) {
        const auto end = earlierKeys.upper_bound(first->first);
        for (const Difficulty difficulty : Difficulties::all()) {
            if (records.count(first->first) > 0 && records.at(first->first).count(difficulty) > 0) {
                continue;
            }
            Record merged;
            for (auto earlier = first; earlier != end; ++earlier) {
                const auto old = records.find(earlier->second);
                if (old != records.end() && old->second.count(difficulty) > 0) {
                    const Record& each = old->second.at(difficulty);
                    if (replacesBest(merged, each.bestSeconds, each.speed)) {
                        merged.bestSeconds = each.bestSeconds;
                        merged.speed = each.speed;
                    }
                    merged.wins =
                        static_cast<int>(std::min<std::int64_t>(merged.wins + each.wins, kMostWins));
                }
            }
            if (merged.wins > 0) {
                records[first->first][difficulty] = merged;
                carried = true;
            }
        }
        first = end;
    }
    return carried;
}

// One level's table: a table per difficulty, or (in a file from before the difficulties) the Normal
// record itself.
void readLevel(std::string_view level, const toml::node& entry, std::size_t firstLine, Records& records,
               const Report& report) {
    const toml::table* table = entry.as_table();
    const bool oldRecord = table && (table->contains("best") || table->contains("wins"));
    std::map<Difficulty, Record> found;
    if (!table || oldRecord) {
        if (const auto record = readRecord(entry, entryName(level), firstLine, report)) {
            found[Difficulty::Normal] = *record;
        }
    }
    bool any = !table || oldRecord;
    for (const Difficulty difficulty : Difficulties::all()) {
        if (const toml::node* part = table ? table->get(Difficulties::nameOf(difficulty)) : nullptr) {
            any = true;
            if (const auto record = readRecord(*part, entryName(level, difficulty), firstLine, report)) {
                keepBoth(found[difficulty], *record);
            }
        }
    }
    if (!any) {
        report(firstLine + entry.source().begin.line - 1,
               fill(tr("{1} holds no easy, normal or hard record; dropped"), {entryName(level)}));
    }
    for (const auto& [difficulty, record] : found) {
        keepBoth(records[std::string(level)][difficulty], record);
    }
}

// The "levels" table of a parsed text whose first line is line `firstLine` of the file.
void readLevels(const toml::table& file, std::size_t firstLine, Records& records, const Report& report) {
    const toml::node* levels = file.get("levels");
    if (!levels) {
        return;
    }
    if (!levels->is_table()) {
        report(firstLine + levels->source().begin.line - 1, tr("levels must be a table; dropped"));
        return;
    }
    for (auto&& [name, entry] : *levels->as_table()) {
        readLevel(name.str(), entry, firstLine, records, report);
    }
}

std::string onOneLine(std::string_view text) {
    std::string line(text);
    std::replace(line.begin(), line.end(), '\n', ' ');
    return line;
}

// A text that does not parse as a whole, cut before each table header: a piece that parses on its own
// keeps its records, one that does not costs only its own. Pieces start at `firstLine` of the file.
struct Piece {
    std::string text;
    std::size_t firstLine;
};

std::vector<Piece> piecesOf(const std::string& text) {
    std::vector<Piece> pieces{{"", 1}};
    std::istringstream lines(text);
    std::string line;
    for (std::size_t number = 1; std::getline(lines, line); ++number) {
        const std::size_t start = line.find_first_not_of(" \t");
        if (start != std::string::npos && line[start] == '[' && !pieces.back().text.empty()) {
            pieces.push_back({"", number});
        }
        pieces.back().text += line + "\n";
    }
    return pieces;
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
    const std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) {
        return {};
    }
    const std::string id = levelIdIn(content);
    return id.empty() ? escaped(fs::path(mapPath).filename().string()) + "#" + contentHash(content) : id;
}

void RecordsFile::report(std::size_t line, const std::string& problem) {
    keepBadCopy = true;
    sf::err() << filePath;
    if (line > 0) {
        sf::err() << ":" << line;
    }
    sf::err() << ": " << problem << std::endl;
}

RecordsFile::Records RecordsFile::load() {
    Records records;
    keepBadCopy = false;
    unusable = false;
    std::error_code error;
    if (filePath.empty() || fs::symlink_status(filePath, error).type() == fs::file_type::not_found) {
        return records;
    }
    std::string text;
    const std::string problem = FileCheck::read(filePath, kLargestFile, text);
    if (!problem.empty()) {
        const fs::file_status status = fs::status(filePath, error);
        unusable = fs::exists(status) && !fs::is_regular_file(status);
        report(0, problem + (unusable ? tr("; records are not kept") : tr("; starting afresh")));
        return records;
    }
    readText(text, records);
    return records;
}

void RecordsFile::readText(const std::string& text, Records& records) {
    const Report reportHere = [this](std::size_t line, const std::string& problem) { report(line, problem); };
    try {
        readLevels(toml::parse(text, filePath), 1, records, reportHere);
        return;
    } catch (const toml::parse_error& whole) {
        const auto wholeLine = static_cast<std::size_t>(whole.source().begin.line);
        bool saidWhole = false;
        for (const Piece& piece : piecesOf(text)) {
            try {
                readLevels(toml::parse(piece.text, filePath), piece.firstLine, records, reportHere);
            } catch (const toml::parse_error& bad) {
                const std::size_t line = piece.firstLine + bad.source().begin.line - 1;
                saidWhole = saidWhole || (piece.firstLine <= wholeLine && wholeLine <= line);
                report(line, onOneLine(bad.description()) + tr("; the records there are dropped"));
            }
        }
        if (!saidWhole) {
            // Right on its own, but not with the rest: a level's table written twice, say.
            report(wholeLine, onOneLine(whole.description()) + tr("; each table is read on its own"));
        }
    }
}

std::optional<RecordsFile::Record> RecordsFile::find(const std::string& level, Difficulty difficulty) {
    const LevelRecords records = findAll(level);
    const auto found = records.find(difficulty);
    if (found == records.end()) {
        return std::nullopt;
    }
    return found->second;
}

RecordsFile::LevelRecords RecordsFile::findAll(const std::string& level) {
    const Records records = load();
    const auto found = records.find(level);
    return found == records.end() ? LevelRecords{} : found->second;
}

std::set<std::string> RecordsFile::levelsWon() {
    std::set<std::string> won;
    for (const auto& [level, byDifficulty] : load()) {
        if (!byDifficulty.empty()) {
            won.insert(level);
        }
    }
    return won;
}

RecordsFile::Outcome RecordsFile::recordWin(const std::string& level, Difficulty difficulty, double seconds,
                                            int speed) {
    std::string problem;
    if (filePath.empty() || level.empty()) {
        return {};
    }
    if (!(seconds > 0.0 && seconds <= kLongestRun)) {
        report(0, fill(tr("a run of {1} seconds is not recorded"), {std::to_string(seconds)}));
        return {};
    }
    if (!AtomicFile::makeFolder(filePath, problem)) {
        report(0, problem + "; " + tr("this win is not recorded"));
        return {};
    }
    // Held until the new file is in place: another game's win is read below, or waits for this one.
    const FileLock lock(filePath);
    Records records = load();
    if (unusable) {
        return {};
    }
    Record& record = records[level][difficulty];
    Outcome outcome;
    outcome.best = replacesBest(record, seconds, speed);
    record.wins = static_cast<int>(std::min<std::int64_t>(record.wins + 1LL, kMostWins));
    if (outcome.best) {
        record.bestSeconds = seconds;
        record.speed = std::clamp(speed, kSlowestSpeed, kFullSpeed);
    }
    if (!save(records, tr("this win is not recorded"))) {
        return {};
    }
    if (!lock.held()) {
        report(0, lock.problem() + tr("; saved without waiting for other games"));
    }
    outcome.kept = true;
    return outcome;
}

bool RecordsFile::carryOver(const std::multimap<std::string, std::string>& earlierKeys) {
    if (filePath.empty()) {
        return true;
    }
    {
        // Most starts have nothing to carry: a damaged file is reported when something is saved.
        const ErrRedirect quiet(nullptr);
        Records records = load();
        if (unusable || !carryInto(records, earlierKeys)) {
            return true;
        }
    }
    std::string problem;
    if (!AtomicFile::makeFolder(filePath, problem)) {
        report(0, problem + "; " + tr("the records of earlier versions are not carried over"));
        return false;
    }
    const FileLock lock(filePath);
    Records records = load();
    if (unusable || !carryInto(records, earlierKeys)) {
        return !unusable;
    }
    return save(records, tr("the records of earlier versions are not carried over"));
}

// The old file stays as it is whenever the new one cannot follow it.
bool RecordsFile::save(const Records& records, const std::string& lost) {
    const std::string text = toText(records);
    std::string problem;
    if (text.size() > kLargestFile) {
        report(0, fill(tr("the records would take {1} bytes, more than the {2} the game reads; {3}"),
                       {std::to_string(text.size()), std::to_string(kLargestFile), lost}));
        return false;
    }
    std::string keptAs;
    if (keepBadCopy && !AtomicFile::keepAsNewBad(filePath, keptAs, problem)) {
        report(0, problem + "; " + lost);
        return false;
    }
    if (!keptAs.empty()) {
        report(0, fill(tr("the file with problems is kept as {1}"), {keptAs}));
    }
    if (!AtomicFile::write(filePath, text, problem)) {
        report(0, problem + "; " + lost);
        return false;
    }
    return true;
}

std::string RecordsFile::toText(const Records& records) {
    toml::table levels;
    for (const auto& [level, byDifficulty] : records) {
        toml::table entry;
        for (const auto& [difficulty, record] : byDifficulty) {
            toml::table values{{"best", record.bestSeconds},
                               {"wins", static_cast<std::int64_t>(record.wins)}};
            if (record.assisted()) {
                values.insert("assisted", static_cast<std::int64_t>(record.speed));
            }
            entry.insert(Difficulties::nameOf(difficulty), std::move(values));
        }
        levels.insert(level, std::move(entry));
    }
    std::ostringstream text;
    text << "# Pellowick's best times: a table per level, named after its file and its content, and per\n"
         << "# difficulty.\n\n"
         << toml::table{{"levels", std::move(levels)}} << "\n";
    return text.str();
}
