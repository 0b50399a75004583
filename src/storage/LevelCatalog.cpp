#include "storage/LevelCatalog.hpp"

#include "common/ErrStream.hpp"
#include "common/FileCheck.hpp"
#include "i18n/Translator.hpp"
#include "map/LevelFile.hpp"
#include "map/LevelSchema.hpp"
#include "storage/UserFolders.hpp"

#include <SFML/System/Err.hpp>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <filesystem>
#include <map>
#include <mutex>
#include <sstream>
#include <sys/stat.h>
#include <thread>
#include <tuple>

namespace fs = std::filesystem;

namespace {
// A problem longer than this many letters is cut; the list cuts it further to fit its row.
constexpr std::size_t kLongestProblem = 300;

// What tells the file checked from a changed or another one.
struct FileStamp {
    bool present = false;
    unsigned long long device = 0;
    unsigned long long inode = 0;
    long long size = 0;
    long long modified = 0; // nanoseconds
    int error = 0;          // why it is not present

    // The same content, whatever name it goes by (links share it).
    auto file() const { return std::make_tuple(present, device, inode, size, modified); }
    bool operator==(const FileStamp& other) const { return file() == other.file(); }
    bool operator!=(const FileStamp& other) const { return !(*this == other); }
};

FileStamp stampOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        FileStamp absent;
        absent.error = errno;
        return absent;
    }
    return {true,
            static_cast<unsigned long long>(info.st_dev),
            static_cast<unsigned long long>(info.st_ino),
            static_cast<long long>(info.st_size),
            static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec,
            0};
}

// What a check found in a file's content.
struct Verdict {
    std::string mapName; // the map's "name" property; "" when it has none
    std::string problem;
    std::optional<MedalTimes> medalTimes;
    unsigned words = 0; // the language's generation the problem was written in
};

struct CheckedFile {
    FileStamp stamp; // as it was before the check read it
    Verdict verdict;
    std::string levelKey; // for the records; "" when the level is not playable
};

// The text up to `letters` UTF-8 letters, then "...": a cut never falls inside a letter.
std::string cutToLetters(const std::string& text, std::size_t letters) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if ((byte & 0xC0) != 0x80 && count++ == letters) {
            return text.substr(0, at) + "...";
        }
    }
    return text;
}

std::string firstLine(const std::string& text) {
    std::string line = text.substr(0, text.find('\n'));
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return cutToLetters(line, kLongestProblem);
}

// The reader and the checker name the file, its line and "error:"; the list names the file itself, so
// "<path>:12: error: what" becomes "line 12: what".
std::string withoutPath(std::string line, const std::string& path) {
    if (line.rfind(path + ":", 0) == 0) {
        line.erase(0, path.size() + 1);
    }
    const std::size_t digits = line.find_first_not_of("0123456789");
    if (digits > 0 && digits != std::string::npos && line[digits] == ':') {
        line = fill(tr("line {1}"), {line});
    }
    const std::string marker = tr("error") + ": ";
    if (const std::size_t at = line.find(marker); at != std::string::npos && line.find(':') + 2 >= at) {
        line.erase(at, marker.size());
    }
    while (!line.empty() && line[0] == ' ') {
        line.erase(0, 1);
    }
    return line;
}

// Checks levels one after another on a thread of its own, for the whole run, and remembers what it found.
// The catalogues ask for checks and collect them; the pictures a check needs decoded are decoded by them,
// on the thread that owns them, since SFML reports a picture it cannot load on sf::err().
class Checker {
public:
    static Checker& instance() {
        static Checker checker;
        return checker;
    }

    void addServer() {
        const std::lock_guard<std::mutex> lock(mutex);
        ++servers;
    }
    void removeServer() {
        {
            const std::lock_guard<std::mutex> lock(mutex);
            --servers;
        }
        answered.notify_all(); // a check waiting for a picture that no one will decode gives up
    }

    // The check of `path` when one was made of the file as it is now.
    std::optional<CheckedFile> result(const std::string& path, const FileStamp& now) {
        const std::lock_guard<std::mutex> lock(mutex);
        const auto found = checked.find(path);
        if (found == checked.end() || found->second.stamp != now ||
            found->second.verdict.words != Translator::instance().generation()) {
            return std::nullopt;
        }
        return found->second;
    }

    // Asks for the check unless it is asked for or under way already. The newest wishes (see prefer())
    // go first, the smallest files first among them.
    void ask(const std::string& path, const void* owner) {
        {
            const std::lock_guard<std::mutex> lock(mutex);
            if (path == current ||
                std::any_of(queue.begin(), queue.end(), [&](const Job& job) { return job.path == path; })) {
                return;
            }
            queue.push_back({path, owner, wish, stampOf(path).size});
        }
        wake.notify_one();
    }

    // A new wish: the checks asked for from now on go before all those asked for until now.
    void prefer(const std::vector<std::string>& paths, const void* owner) {
        {
            const std::lock_guard<std::mutex> lock(mutex);
            ++wish;
            queue.erase(std::remove_if(queue.begin(), queue.end(),
                                       [&](const Job& job) {
                                           return std::find(paths.begin(), paths.end(), job.path) !=
                                                  paths.end();
                                       }),
                        queue.end());
        }
        for (const std::string& path : paths) {
            ask(path, owner);
        }
    }

    void dropAskedBy(const void* owner) {
        const std::lock_guard<std::mutex> lock(mutex);
        queue.erase(
            std::remove_if(queue.begin(), queue.end(), [&](const Job& job) { return job.owner == owner; }),
            queue.end());
    }

    void serve() {
        std::vector<std::string> paths;
        {
            const std::lock_guard<std::mutex> lock(mutex);
            paths.swap(wanted);
        }
        if (paths.empty()) {
            return;
        }
        for (const std::string& path : paths) {
            const sf::Vector2u size = MapChecker::decodedSize(path);
            const std::lock_guard<std::mutex> lock(mutex);
            pictures[path] = size;
        }
        answered.notify_all();
    }

    // Until a check is done or a picture is wanted, and at most a few milliseconds.
    void waitAWhile() {
        std::unique_lock<std::mutex> lock(mutex);
        progressed.wait_for(lock, std::chrono::milliseconds(5));
    }

    ~Checker() {
        {
            const std::lock_guard<std::mutex> lock(mutex);
            stopping = true;
            queue.clear();
        }
        wake.notify_all();
        answered.notify_all();
        worker.join();
    }

    Checker(const Checker&) = delete;
    Checker& operator=(const Checker&) = delete;

private:
    struct Job {
        std::string path;
        const void* owner = nullptr;
        unsigned long long wish = 0;
        long long size = 0;
        // Which of two jobs goes first.
        bool before(const Job& other) const {
            return wish != other.wish ? wish > other.wish : size < other.size;
        }
    };

    Checker() {
        // What the checks look up once per run is made here, before the thread starts: so it outlives the
        // thread, and the graphics card is asked about its largest texture by this thread.
        LevelSchema::objectTypes();
        LevelSchema::tileLayers();
        LevelSchema::neededNames();
        FileCheck::largestTextureSide();
        worker = std::thread([this] { run(); });
    }

    void run() {
        for (;;) {
            Job job;
            {
                std::unique_lock<std::mutex> lock(mutex);
                wake.wait(lock, [this] { return stopping || !queue.empty(); });
                if (stopping) {
                    return;
                }
                const auto next = std::min_element(queue.begin(), queue.end(),
                                                   [](const Job& a, const Job& b) { return a.before(b); });
                job = *next;
                queue.erase(next);
                current = job.path;
                abandoned = false;
            }
            CheckedFile done = check(job.path);
            {
                const std::lock_guard<std::mutex> lock(mutex);
                current.clear();
                if (!abandoned && !stopping) {
                    checked[job.path] = std::move(done);
                }
            }
            progressed.notify_all();
        }
    }

    CheckedFile check(const std::string& path) {
        CheckedFile done;
        // Read first: a language chosen during the check makes what it says out of date.
        done.verdict.words = Translator::instance().generation();
        done.stamp = stampOf(path);
        if (!done.stamp.present) {
            done.verdict.problem =
                done.stamp.error == ENOENT
                    ? tr("is no longer there: it was deleted or moved")
                    : fill(tr("cannot be looked at: {1}"), {std::strerror(done.stamp.error)});
            return done;
        }
        bool known = false;
        {
            const std::lock_guard<std::mutex> lock(mutex);
            const auto found = byFile.find(done.stamp.file());
            if (found != byFile.end() && found->second.words == done.verdict.words) {
                done.verdict = found->second;
                known = true;
            }
        }
        if (!known) {
            std::ostringstream said;
            const LevelFile level = LevelFile::read(
                path, "Assets/", said, [this](const std::string& picture) { return decode(picture); });
            const unsigned words = done.verdict.words;
            done.verdict = verdictOn(level, said.str(), path);
            done.verdict.words = words;
            const std::lock_guard<std::mutex> lock(mutex);
            if (abandoned || stopping) {
                return done;
            }
            byFile[done.stamp.file()] = done.verdict;
        }
        if (done.verdict.problem.empty()) {
            done.levelKey = RecordsFile::levelKey(path);
        }
        return done;
    }

    static Verdict verdictOn(const LevelFile& level, const std::string& said, const std::string& path) {
        Verdict verdict;
        if (!level.map) {
            verdict.problem = firstLine(withoutPath(said, path));
            return verdict;
        }
        // A line break in a name is shown as a space.
        verdict.mapName = cutToLetters(level.map->property(LevelSchema::kLevelName), kLongestProblem);
        verdict.medalTimes = MedalTimes::of(*level.map);
        for (const MapProblem& problem : level.problems) {
            if (problem.isError()) {
                verdict.problem = firstLine(withoutPath(problem.format(path), path));
                break;
            }
        }
        return verdict;
    }

    // On the checking thread: the picture's size, decoded by a catalogue's owner.
    sf::Vector2u decode(const std::string& path) {
        std::unique_lock<std::mutex> lock(mutex);
        pictures.erase(path); // it may have changed since: decoded afresh for each map that names it
        if (std::find(wanted.begin(), wanted.end(), path) == wanted.end()) {
            wanted.push_back(path);
        }
        lock.unlock();
        progressed.notify_all();
        lock.lock();
        answered.wait(lock, [&] { return stopping || servers == 0 || pictures.count(path) > 0; });
        const auto found = pictures.find(path);
        if (found == pictures.end()) {
            abandoned = true; // what this check finds is not kept
            return {};
        }
        return found->second;
    }

    std::mutex mutex;
    std::condition_variable wake;       // for the thread: a check to make, or the end of the run
    std::condition_variable answered;   // for the thread: a picture decoded, or no one left to decode it
    std::condition_variable progressed; // for the catalogues: a check done, or a picture wanted
    std::deque<Job> queue;
    unsigned long long wish = 0;
    std::string current;
    bool abandoned = false;
    bool stopping = false;
    int servers = 0;
    std::map<std::string, CheckedFile> checked;
    std::map<decltype(FileStamp().file()), Verdict> byFile;
    std::vector<std::string> wanted;
    std::map<std::string, sf::Vector2u> pictures;
    std::thread worker;
};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

char lowered(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Below 0 when `a` sorts first, above when `b` does, 0 when people would call them the same name.
int naturalCompare(const std::string& a, const std::string& b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            std::size_t endA = i;
            std::size_t endB = j;
            while (endA < a.size() && isDigit(a[endA])) {
                ++endA;
            }
            while (endB < b.size() && isDigit(b[endB])) {
                ++endB;
            }
            // Leading zeros do not count: "007" is 7.
            while (i + 1 < endA && a[i] == '0') {
                ++i;
            }
            while (j + 1 < endB && b[j] == '0') {
                ++j;
            }
            if (endA - i != endB - j) {
                return endA - i < endB - j ? -1 : 1;
            }
            if (const int digits = a.compare(i, endA - i, b, j, endB - j); digits != 0) {
                return digits;
            }
            i = endA;
            j = endB;
            continue;
        }
        const auto left = static_cast<unsigned char>(lowered(a[i]));
        const auto right = static_cast<unsigned char>(lowered(b[j]));
        if (left != right) {
            return left < right ? -1 : 1;
        }
        ++i;
        ++j;
    }
    const std::size_t restA = a.size() - i;
    const std::size_t restB = b.size() - j;
    return restA == restB ? 0 : (restA < restB ? -1 : 1);
}
} // namespace

namespace {
struct ShippedLevel {
    const char* path;
    const char* levelId; // as the map's own property says: a test holds the two together
};

// In the order they open: each adds an idea to those before it, or puts two together.
const std::vector<ShippedLevel>& shippedTable() {
    static const std::vector<ShippedLevel> levels = {
        {"Assets/map.tmx", "farmhouse"},   // The Farmhouse: dogs on their beats
        {"Assets/orchard.tmx", "orchard"}, // The Orchard: walls hide the player
        {"Assets/dairy.tmx", "dairy"},     // The Dairy: an egg draws a guard away
        {"Assets/level2.tmx", "hen-run"},  // The Hen Run: far-sighted guards, few eggs
        {"Assets/stables.tmx", "stables"}, // The Stables: fast dogs across the way
        {"Assets/mill.tmx", "mill"},       // The Mill: the long way round
        {"Assets/level3.tmx", "granary"},  // The Granary: a maze and a decoy
        {"Assets/kennels.tmx", "kennels"}, // The Kennels: runners and cover
        {"Assets/manor.tmx", "manor"},     // The Manor: everything
    };
    return levels;
}

template <class Field> std::vector<std::string> columnOf(Field field) {
    std::vector<std::string> column;
    for (const ShippedLevel& level : shippedTable()) {
        column.emplace_back(level.*field);
    }
    return column;
}
} // namespace

const std::vector<std::string>& LevelCatalog::shippedLevels() {
    static const std::vector<std::string> paths = columnOf(&ShippedLevel::path);
    return paths;
}

const std::vector<std::string>& LevelCatalog::shippedLevelIds() {
    static const std::vector<std::string> ids = columnOf(&ShippedLevel::levelId);
    return ids;
}

const std::vector<std::string>& LevelCatalog::lessons() {
    static const std::vector<std::string> levels = {"Assets/lesson1.tmx", "Assets/lesson2.tmx",
                                                    "Assets/lesson3.tmx", "Assets/lesson4.tmx"};
    return levels;
}

bool LevelCatalog::isLesson(const std::string& path) {
    return std::find(lessons().begin(), lessons().end(), path) != lessons().end();
}

std::string LevelCatalog::lessonAfter(const std::string& path) {
    const auto found = std::find(lessons().begin(), lessons().end(), path);
    if (found == lessons().end()) {
        return "";
    }
    return found + 1 == lessons().end() ? shippedLevels().front() : *(found + 1);
}

std::string LevelCatalog::defaultPlayerFolder() {
    return UserFolders::data("levels");
}

bool LevelCatalog::naturalLess(const std::string& a, const std::string& b) {
    const int order = naturalCompare(a, b);
    return order != 0 ? order < 0 : a < b;
}

LevelCatalog::LevelCatalog(const std::string& playerFolder, std::string records)
    : paths(shippedLevels()), shippedCount(paths.size()), opensInOrder(true),
      recordsPath(std::move(records)) {
    Checker::instance().addServer();
    std::vector<fs::path> own;
    std::error_code error;
    if (!playerFolder.empty()) {
        for (fs::directory_iterator entry(playerFolder, error), end; !error && entry != end;
             entry.increment(error)) {
            if (entry->path().extension() == ".tmx") {
                own.push_back(entry->path());
            }
        }
    }
    std::sort(own.begin(), own.end(), [](const fs::path& a, const fs::path& b) {
        return naturalLess(a.filename().string(), b.filename().string());
    });
    for (const fs::path& file : own) {
        paths.push_back(file.string());
    }
    looked.resize(paths.size());
    if (!recordsPath.empty()) {
        // A garbled records file is reported when a win is saved, not here.
        const ErrRedirect quiet(nullptr);
        levelsWon = RecordsFile(recordsPath).levelsWon();
    }
}

bool LevelCatalog::opened(std::size_t index) const {
    return !opensInOrder || index == 0 || !shipped(index) ||
           levelsWon.count(shippedLevelIds().at(index - 1)) > 0;
}

LevelCatalog::LevelCatalog(std::vector<std::string> shipped, std::string records)
    : paths(std::move(shipped)), shippedCount(paths.size()), looked(paths.size()),
      recordsPath(std::move(records)) {
    Checker::instance().addServer();
}

LevelCatalog::~LevelCatalog() {
    Checker::instance().dropAskedBy(this);
    Checker::instance().removeServer();
}

std::string LevelCatalog::fileName(std::size_t index) const {
    return fs::path(path(index)).filename().string();
}

const LevelCatalog::Details* LevelCatalog::lookUp(std::size_t index) {
    std::optional<Details>& entry = looked.at(index);
    if (entry) {
        return &*entry;
    }
    Checker& checker = Checker::instance();
    const std::optional<CheckedFile> checked = checker.result(paths[index], stampOf(paths[index]));
    if (!checked) {
        checker.ask(paths[index], this);
        return nullptr;
    }
    const Verdict& verdict = checked->verdict;
    entry = Details{
        verdict.mapName.empty() ? fileName(index) : verdict.mapName, verdict.problem, {}, verdict.medalTimes};
    if (!recordsPath.empty() && entry->playable() && !checked->levelKey.empty()) {
        // A garbled records file is reported when a win is saved, not here.
        const ErrRedirect quiet(nullptr);
        entry->records = RecordsFile(recordsPath).findAll(checked->levelKey);
    }
    return &*entry;
}

void LevelCatalog::prefer(std::size_t first, std::size_t count) {
    std::vector<std::string> wanted;
    for (std::size_t index = first; index < first + count && index < paths.size(); ++index) {
        if (!looked[index]) {
            wanted.push_back(paths[index]);
        }
    }
    Checker::instance().prefer(wanted, this);
}

const LevelCatalog::Details& LevelCatalog::details(std::size_t index) {
    for (;;) {
        if (const Details* found = lookUp(index)) {
            return *found;
        }
        serve();
        Checker::instance().waitAWhile();
    }
}

bool LevelCatalog::waitFor(std::size_t first, std::size_t count, std::chrono::milliseconds longest) {
    const auto end = std::chrono::steady_clock::now() + longest;
    for (;;) {
        bool done = true;
        for (std::size_t index = first; index < first + count && index < paths.size(); ++index) {
            done = lookUp(index) != nullptr && done;
        }
        if (done || std::chrono::steady_clock::now() >= end) {
            return done;
        }
        serve();
        Checker::instance().waitAWhile();
    }
}

void LevelCatalog::serve() {
    Checker::instance().serve();
}

LevelCatalog::FileNow LevelCatalog::fileNow(std::size_t index) {
    const FileStamp now = stampOf(paths.at(index));
    if (!now.present) {
        looked[index].reset();
        return FileNow::Gone;
    }
    if (!Checker::instance().result(paths[index], now)) {
        looked[index].reset();
        return FileNow::Changed;
    }
    return FileNow::AsChecked;
}
