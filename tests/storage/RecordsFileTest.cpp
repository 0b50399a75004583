#include "storage/RecordsFile.hpp"

#include "hud/RunClock.hpp"
#include "storage/FileLock.hpp"
#include "support/ErrCapture.hpp"
#include "support/Files.hpp"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>

namespace {
namespace fs = std::filesystem;
constexpr Difficulty kNormal = Difficulty::Normal;

class RecordsFileTest : public testing::Test {
protected:
    void SetUp() override {
        folder = makeTempFolder("records");
        path = (folder / "records.toml").string();
    }
    void TearDown() override { fs::remove_all(folder); }

    RecordsFile::Outcome win(const std::string& level, double seconds, Difficulty difficulty = kNormal) {
        return RecordsFile(path).recordWin(level, difficulty, seconds);
    }
    std::optional<RecordsFile::Record> find(const std::string& level, Difficulty difficulty = kNormal) {
        return RecordsFile(path).find(level, difficulty);
    }
    // The level's best time and wins at the difficulty; -1 and 0 when it has no record there.
    double best(const std::string& level, Difficulty difficulty = kNormal) {
        return find(level, difficulty).value_or(RecordsFile::Record{-1.0, 0}).bestSeconds;
    }
    int wins(const std::string& level, Difficulty difficulty = kNormal) {
        return find(level, difficulty).value_or(RecordsFile::Record{}).wins;
    }
    // The files beside the records, by name.
    std::set<std::string> filesThere() const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) {
            names.insert(entry.path().filename().string());
        }
        return names;
    }

    fs::path folder;
    std::string path;
};

TEST_F(RecordsFileTest, WinsCountAndOnlyAFasterTimeAtTheSameDifficultyReplacesTheBest) {
    path = (folder / "new" / "records.toml").string();
    EXPECT_FALSE(find("map.tmx#1"));
    const RecordsFile::Outcome first = win("map.tmx#1", 80.25);
    EXPECT_TRUE(first.best && first.kept) << "the first win is the best so far";
    EXPECT_FALSE(win("map.tmx#1", 95.0).best);
    EXPECT_TRUE(win("level2.tmx#2", 60.0).best);
    EXPECT_TRUE(win("map.tmx#1", 70.5).best);
    // An easy win is a record of its own: it neither replaces the normal best nor counts as a normal win.
    EXPECT_TRUE(win("map.tmx#1", 20.0, Difficulty::Easy).best);
    EXPECT_TRUE(win("map.tmx#1", 99.0, Difficulty::Hard).best);
    EXPECT_FALSE(win("map.tmx#1", 30.0, Difficulty::Easy).best);
    const auto record = find("map.tmx#1");
    ASSERT_TRUE(record);
    EXPECT_EQ(record->bestSeconds, 70.5);
    EXPECT_EQ(record->wins, 3);
    EXPECT_EQ(best("map.tmx#1", Difficulty::Easy), 20.0);
    EXPECT_EQ(wins("map.tmx#1", Difficulty::Easy), 2);
    EXPECT_EQ(RecordsFile(path).findAll("map.tmx#1").size(), 3u);
    EXPECT_EQ(wins("level2.tmx#2"), 1) << "another game's win is read back before writing";
    EXPECT_FALSE(find("level2.tmx#2", Difficulty::Hard));
    EXPECT_EQ(filesThere(), (std::set<std::string>{"new"}));

    // A file from before the difficulties holds normal records, and keeps them when it is next written.
    std::ofstream(path) << "[levels.\"old.tmx#3\"]\nbest = 12.5\nwins = 4\n";
    EXPECT_EQ(best("old.tmx#3"), 12.5);
    EXPECT_FALSE(find("old.tmx#3", Difficulty::Easy));
    EXPECT_TRUE(win("old.tmx#3", 30.0, Difficulty::Easy).best);
    EXPECT_FALSE(win("old.tmx#3", 13.0).best);
    EXPECT_EQ(wins("old.tmx#3"), 5);
}

TEST_F(RecordsFileTest, AnAssistedWinCountsButNeverBeatsAFullSpeedBestAndTheFileMarksItsSpeed) {
    const auto assisted = [&](double seconds, int speed) {
        return RecordsFile(path).recordWin("map.tmx#1", kNormal, seconds, speed);
    };
    EXPECT_TRUE(assisted(90.0, 70).best) << "the first win is the best so far, assisted or not";
    EXPECT_TRUE(assisted(80.0, 50).best) << "a quicker assisted win replaces an assisted best";
    EXPECT_EQ(find("map.tmx#1")->speed, 50);
    EXPECT_NE(readWholeFile(path).find("assisted = 50"), std::string::npos) << readWholeFile(path);
    EXPECT_TRUE(win("map.tmx#1", 100.0).best) << "any full-speed win replaces an assisted best";
    EXPECT_FALSE(assisted(20.0, 90).best);
    const auto record = find("map.tmx#1");
    EXPECT_EQ(record->bestSeconds, 100.0);
    EXPECT_FALSE(record->assisted());
    EXPECT_EQ(record->wins, 4) << "every win counts";
    EXPECT_EQ(readWholeFile(path).find("assisted"), std::string::npos) << "a full-speed best has no mark";

    // A speed no game has is a damaged entry, dropped with its line.
    std::ofstream(path) << "[levels.\"map.tmx#1\".normal]\nbest = 12.5\nwins = 1\nassisted = 5\n";
    ErrCapture err;
    EXPECT_FALSE(find("map.tmx#1"));
    EXPECT_NE(err.text().find(path + ":1: levels.\"map.tmx#1\".normal has assisted = 5; a game speed is from "
                                     "50 to 99 percent; dropped"),
              std::string::npos)
        << err.text();
}

TEST_F(RecordsFileTest, ABadEntryCostsOnlyItsOwnRecordsAndTheFileIsKeptAsBad) {
    const std::string garbled = "[levels.\"map.tmx#1\"]\nbest = 80\nwins = [oops\n";
    std::ofstream(path) << garbled;
    ErrCapture err;
    EXPECT_FALSE(find("map.tmx#1"));
    const std::string said = err.text();
    EXPECT_EQ(said.rfind(path + ":3:", 0), 0u) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_TRUE(win("map.tmx#1", 50.0).best);
    EXPECT_EQ(readWholeFile(path + ".bad"), garbled);
    EXPECT_EQ(best("map.tmx#1"), 50.0);

    // A table written twice, a key across two lines, bytes that are not UTF-8, values no run gives: each
    // is one line naming the file, its line and the entry, and every other record stays.
    const std::string mixed = "[levels.\"a#1\".normal]\nbest = 9.5\nwins = 2\n"     // line 1
                              "[levels.\"a#1\".normal]\nbest = 8.5\nwins = 1\n"     // 4
                              "[levels.\"b\nc#2\".normal]\nbest = 7\nwins = 1\n"    // 7
                              "[levels.\"caf\xe9#3\".normal]\nbest = 6\nwins = 1\n" // 11
                              "[levels.\"d#4\".normal]\nbest = 1e300\nwins = 1\n"   // 14
                              "[levels.\"d#4\".hard]\nbest = 5.5\nwins = 3\n"       // 17
                              "[levels.\"e#5\"]\nbest = -3\nwins = 1\n"             // 20
                              "[levels.\"f#6\"]\nbest = nan\nwins = 1\n"            // 23
                              "[levels.\"g#7\".easy]\nbest = inf\nwins = 1\n"       // 26
                              "[levels.\"h#8\".easy]\nbest = 86401\nwins = 1\n"     // 29
                              "[levels.\"i#9\".easy]\nbest = 86400\nwins = 1\n";    // 32
    std::ofstream(path) << mixed;
    err.clear();
    RecordsFile(path).findAll("a#1");
    const std::string report = err.text();
    const std::string needs = " needs a best time above 0 and at most 86400 seconds and wins of at least 1; "
                              "dropped\n";
    for (const std::string& line :
         {path + ":4: ", path + ":7: ", path + ":11: ", path + ":14: levels.\"d#4\".normal" + needs,
          path + ":20: levels.\"e#5\"" + needs, path + ":23: levels.\"f#6\"" + needs,
          path + ":26: levels.\"g#7\".easy" + needs, path + ":29: levels.\"h#8\".easy" + needs}) {
        EXPECT_NE(("\n" + report).find("\n" + line), std::string::npos) << line << " in\n" << report;
    }
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 8) << report;
    EXPECT_EQ(best("a#1"), 8.5) << "a level written twice keeps the best of both";
    EXPECT_EQ(wins("a#1"), 2);
    EXPECT_EQ(best("d#4", Difficulty::Hard), 5.5);
    EXPECT_FALSE(find("d#4"));
    EXPECT_FALSE(find("e#5"));
    EXPECT_FALSE(find("f#6"));
    EXPECT_FALSE(find("g#7", Difficulty::Easy));
    EXPECT_FALSE(find("h#8", Difficulty::Easy));
    EXPECT_EQ(best("i#9", Difficulty::Easy), 86400.0) << "a whole day is still a run";

    // The first damaged copy is never replaced: the second goes beside it, and the line names it.
    err.clear();
    EXPECT_TRUE(win("j#10", 4.0).kept);
    EXPECT_NE(err.text().find(path + ": the file with problems is kept as " + path + ".bad.1\n"),
              std::string::npos)
        << err.text();
    EXPECT_EQ(readWholeFile(path + ".bad"), garbled);
    EXPECT_EQ(readWholeFile(path + ".bad.1"), mixed);
    err.clear();
    EXPECT_EQ(best("a#1"), 8.5);
    EXPECT_EQ(wins("i#9", Difficulty::Easy), 1);
    EXPECT_EQ(err.text(), "") << "the file written back is clean";
}

TEST_F(RecordsFileTest, ALinkIsFollowedAndNothingThatStandsInTheWayBlocksOrLosesAWin) {
    const fs::path real = folder / "elsewhere" / "mine.toml";
    fs::create_directories(real.parent_path());
    fs::create_symlink(real, path);
    EXPECT_TRUE(win("map.tmx#1", 42.0).kept);
    EXPECT_TRUE(fs::is_symlink(path));
    EXPECT_EQ(RecordsFile(real.string()).find("map.tmx#1", kNormal).value_or(RecordsFile::Record{}).wins, 1);
    fs::remove(path);

    // A pipe where the new file or the lock used to go, a link there to a file of the player's: never
    // opened, never written through.
    std::ofstream(folder / "precious") << "mine";
    fs::create_symlink(folder / "precious", path + ".tmp");
    EXPECT_TRUE(win("map.tmx#1", 43.0).kept);
    fs::remove(path + ".tmp");
    EXPECT_TRUE(finishesBesideAPipe(path + ".tmp", [&] { EXPECT_TRUE(win("map.tmx#1", 42.0).kept); }));
    fs::remove(path + ".lock");
    std::string said; // the save runs on a thread of its own, and so does what it says
    EXPECT_TRUE(finishesBesideAPipe(path + ".lock", [&] {
        ErrCapture err;
        EXPECT_TRUE(win("map.tmx#1", 41.0).best);
        said = err.text();
    }));
    EXPECT_NE(said.find("cannot lock " + path + ".lock: it is not a regular file; saved"), std::string::npos)
        << said;
    EXPECT_EQ(wins("map.tmx#1"), 3);
    EXPECT_EQ(readWholeFile((folder / "precious").string()), "mine");

    // A pipe or a folder as the records: never read nor written over, and the win is said to be lost.
    for (const auto make : {+[](const std::string& at) { ::mkfifo(at.c_str(), 0600); },
                            +[](const std::string& at) { fs::create_directory(at); }}) {
        fs::remove(path);
        make(path);
        ErrCapture err;
        const RecordsFile::Outcome outcome = win("map.tmx#1", 42.0);
        EXPECT_FALSE(outcome.kept || outcome.best);
        EXPECT_FALSE(fs::is_regular_file(path)) << "never written over";
        EXPECT_NE(err.text().find("records are not kept"), std::string::npos) << err.text();
    }
    // Nowhere to make the folder, or a run no one plays: not kept either.
    std::ofstream(folder / "blocker") << "a file, not a folder";
    path = (folder / "blocker" / "records.toml").string();
    EXPECT_FALSE(win("map.tmx#1", 42.0).kept);
    EXPECT_FALSE(RecordsFile("").recordWin("map.tmx#1", kNormal, 42.0).kept);
    path = (folder / "records.toml").string();
    fs::remove(path);
    EXPECT_FALSE(win("map.tmx#1", RecordsFile::kLongestRun + 1.0).kept);
    EXPECT_FALSE(fs::exists(path));
}

// A file from before the difficulties, of as many levels as stay within `largest` bytes, with names
// `nameLength` long or a little longer.
std::string oldFormat(std::size_t nameLength, std::size_t largest) {
    std::string text;
    for (std::size_t level = 0;; ++level) {
        std::string name = "level" + std::to_string(level) + ".tmx#0123456789abcdef";
        name.insert(0, nameLength - std::min(nameLength, name.size()), 'x');
        const std::string entry = "[levels.\"" + name + "\"]\nbest = 61.5\nwins = 3\n";
        if (text.size() + entry.size() > largest) {
            return text;
        }
        text += entry;
    }
}

TEST_F(RecordsFileTest, TheGameNeverWritesAFileItWouldNotReadBack) {
    // Written again, a file in the earlier form grows by a tenth.
    const std::string earlier = oldFormat(0, 1u << 20);
    const auto levels = std::count(earlier.begin(), earlier.end(), '[');
    std::ofstream(path) << earlier;
    ErrCapture err;
    EXPECT_TRUE(win("new.tmx#1", 30.0).kept);
    EXPECT_GT(fs::file_size(path), 1u << 20);
    EXPECT_EQ(wins("level0.tmx#0123456789abcdef"), 3);
    EXPECT_EQ(wins("level" + std::to_string(levels - 1) + ".tmx#0123456789abcdef"), 3);
    EXPECT_EQ(wins("new.tmx#1"), 1);
    EXPECT_EQ(err.text(), "");

    // One that would grow past what the game reads stays as it is, and the win is said to be lost.
    const std::string nearTheLimit = oldFormat(200, RecordsFile::kLargestFile);
    std::ofstream(path) << nearTheLimit;
    const RecordsFile::Outcome outcome = win("new.tmx#1", 30.0);
    EXPECT_FALSE(outcome.kept || outcome.best);
    const std::string said = err.text();
    EXPECT_EQ(said.rfind(path + ": the records would take ", 0), 0u) << said;
    EXPECT_NE(said.find(" bytes, more than the 4194304 the game reads; this win is not recorded\n"),
              std::string::npos)
        << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_EQ(readWholeFile(path), nearTheLimit);
    EXPECT_EQ(filesThere(), (std::set<std::string>{"records.toml", "records.toml.lock"}));
}

TEST_F(RecordsFileTest, TwoGamesWinningAtOnceKeepEveryWin) {
    // A large file makes each save slow enough for the two to overlap.
    std::ofstream(path) << oldFormat(0, 1u << 18);
    constexpr int kWins = 12;
    const auto play = [&](const std::string& level) {
        for (int i = 0; i < kWins; ++i) {
            EXPECT_TRUE(win(level, 30.0 + i).kept);
        }
    };
    std::thread first(play, "first.tmx#1");
    std::thread second(play, "second.tmx#2");
    first.join();
    second.join();
    EXPECT_EQ(wins("first.tmx#1"), kWins);
    EXPECT_EQ(wins("second.tmx#2"), kWins);
    EXPECT_EQ(wins("level0.tmx#0123456789abcdef"), 3);
    EXPECT_EQ(filesThere(), (std::set<std::string>{"records.toml", "records.toml.lock"}));

    // Games saving one after the other are waited for, however long it takes; one that keeps the lock
    // without saving only for so long.
    const FileLock stuck(path);
    ASSERT_TRUE(stuck.held());
    ErrCapture errors;
    EXPECT_TRUE(win("first.tmx#1", 5.0).kept);
    EXPECT_NE(errors.text().find("another game has held it for 3 s; saved without waiting"),
              std::string::npos)
        << errors.text();
}

TEST_F(RecordsFileTest, ALevelIsItsFileNameAndContentAndEveryNameTheListAcceptsGetsAKeyTheFileKeeps) {
    const std::vector<std::string> names = {"caf\xe9.tmx", "caf\xc3\xa9.tmx", "caf%E9.tmx",
                                            "caf%.tmx",    "a\nb.tmx",        "a b.tmx",
                                            "q\"\\.tmx",   "\x7f\xc2\x85.tmx"};
    fs::create_directories(folder / "levels");
    std::set<std::string> keys;
    ErrCapture err;
    EXPECT_TRUE(win("map.tmx#1", 50.0).kept);
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        std::ofstream((folder / "levels" / name).string()) << "<map/>";
        const std::string key = RecordsFile::levelKey((folder / "levels" / name).string());
        EXPECT_TRUE(keys.insert(key).second) << key;
        EXPECT_EQ(key.find_first_of("\n\r\x7f"), std::string::npos) << key;
        EXPECT_TRUE(win(key, 20.0).best);
        EXPECT_FALSE(win(key, 25.0).best) << "the first win was read back under its own key";
        EXPECT_EQ(wins(key), 2);
    }
    EXPECT_EQ(
        RecordsFile::levelKey((folder / "levels" / "caf\xc3\xa9.tmx").string()).rfind("caf\xc3\xa9.tmx#", 0),
        0u)
        << "a printable name is kept as it is";
    EXPECT_EQ(wins("map.tmx#1"), 1);
    EXPECT_EQ(err.text(), "");
    EXPECT_FALSE(fs::exists(path + ".bad"));

    // A level is its file's name and content, so an edit starts afresh; the run's time is cut to tenths.
    fs::create_directories(folder / "a");
    std::ofstream((folder / "a" / "x.tmx").string()) << "<map/>";
    std::ofstream((folder / "x.tmx").string()) << "<map/>";
    const std::string key = RecordsFile::levelKey((folder / "a" / "x.tmx").string());
    EXPECT_EQ(key.rfind("x.tmx#", 0), 0u) << key;
    EXPECT_EQ(RecordsFile::levelKey((folder / "x.tmx").string()), key) << "the same map in another folder";
    std::ofstream((folder / "x.tmx").string()) << "<map width=\"2\"/>";
    EXPECT_NE(RecordsFile::levelKey((folder / "x.tmx").string()), key);
    EXPECT_EQ(RecordsFile::levelKey((folder / "none.tmx").string()), "");

    EXPECT_EQ(RunClock::format(0.0), "0:00.0");
    EXPECT_EQ(RunClock::format(83.49), "1:23.4") << "tenths are cut, not rounded";
    EXPECT_EQ(RunClock::format(3600.0), "60:00.0");
}
} // namespace
