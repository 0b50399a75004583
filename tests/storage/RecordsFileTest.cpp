#include "storage/RecordsFile.hpp"

#include "screens/RunClock.hpp"
#include "support/ErrCapture.hpp"
#include "support/Files.hpp"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {
namespace fs = std::filesystem;

class RecordsFileTest : public testing::Test {
protected:
    void SetUp() override {
        folder = makeTempFolder("records");
        path = (folder / "records.toml").string();
    }
    void TearDown() override { fs::remove_all(folder); }

    fs::path folder;
    std::string path;
};

TEST_F(RecordsFileTest, WinsCountAndOnlyAFasterTimeReplacesTheBest) {
    RecordsFile records((folder / "new" / "records.toml").string());
    EXPECT_FALSE(records.find("map.tmx#1"));
    EXPECT_TRUE(records.recordWin("map.tmx#1", 80.25)) << "the first win is the best so far";
    EXPECT_FALSE(records.recordWin("map.tmx#1", 95.0));
    EXPECT_TRUE(RecordsFile(records.path()).recordWin("level2.tmx#2", 60.0));
    EXPECT_TRUE(records.recordWin("map.tmx#1", 70.5));
    const auto record = RecordsFile(records.path()).find("map.tmx#1");
    ASSERT_TRUE(record);
    EXPECT_EQ(record->bestSeconds, 70.5);
    EXPECT_EQ(record->wins, 3);
    EXPECT_EQ(records.find("level2.tmx#2")->wins, 1) << "another game's win is read back before writing";
}

TEST_F(RecordsFileTest, AGarbledFileIsReportedKeptAsBadAndReplaced) {
    const std::string garbled = "[levels.\"map.tmx#1\"]\nbest = 80\nwins = [oops\n";
    std::ofstream(path) << garbled;
    ErrCapture err;
    RecordsFile records(path);
    EXPECT_FALSE(records.find("map.tmx#1"));
    const std::string said = err.text();
    EXPECT_EQ(said.rfind(path + ":", 0), 0u) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_TRUE(records.recordWin("map.tmx#1", 50.0));
    EXPECT_EQ(readWholeFile(path + ".bad"), garbled);
    EXPECT_EQ(RecordsFile(path).find("map.tmx#1")->bestSeconds, 50.0);

    err.clear();
    std::ofstream(path) << "[levels.\"a#1\"]\nbest = -3\nwins = 1\n[levels.\"b#2\"]\nbest = 9.5\nwins = 2\n";
    EXPECT_FALSE(records.find("a#1"));
    EXPECT_EQ(records.find("b#2")->bestSeconds, 9.5) << "one bad record costs only itself";
    EXPECT_NE(err.text().find(path + ":1: levels.\"a#1\" needs best > 0"), std::string::npos) << err.text();
}

TEST_F(RecordsFileTest, ALinkIsFollowedAndAPipeIsNeverReadNorWrittenOver) {
    const fs::path real = folder / "elsewhere" / "mine.toml";
    fs::create_directories(real.parent_path());
    fs::create_symlink(real, path);
    EXPECT_TRUE(RecordsFile(path).recordWin("map.tmx#1", 42.0));
    EXPECT_TRUE(fs::is_symlink(path));
    EXPECT_EQ(RecordsFile(real.string()).find("map.tmx#1")->wins, 1);

    fs::remove(path);
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    ErrCapture err;
    EXPECT_TRUE(RecordsFile(path).recordWin("map.tmx#1", 42.0)) << "no record to beat";
    EXPECT_TRUE(fs::is_fifo(path)) << "never written over";
    EXPECT_NE(err.text().find("is not a regular file"), std::string::npos) << err.text();
}

TEST(RecordsFileKeys, ALevelIsItsFileNameAndContentSoAnEditStartsAfresh) {
    const fs::path folder = fs::path(testing::TempDir()) / "pellowick_record_keys";
    fs::create_directories(folder / "a");
    std::ofstream((folder / "a" / "x.tmx").string()) << "<map/>";
    std::ofstream((folder / "x.tmx").string()) << "<map/>";
    const std::string key = RecordsFile::levelKey((folder / "a" / "x.tmx").string());
    EXPECT_EQ(key.rfind("x.tmx#", 0), 0u) << key;
    EXPECT_EQ(RecordsFile::levelKey((folder / "x.tmx").string()), key) << "the same map in another folder";
    std::ofstream((folder / "x.tmx").string()) << "<map width=\"2\"/>";
    EXPECT_NE(RecordsFile::levelKey((folder / "x.tmx").string()), key);
    EXPECT_EQ(RecordsFile::levelKey((folder / "none.tmx").string()), "");
    fs::remove_all(folder);

    EXPECT_EQ(RunClock::format(0.0), "0:00.0");
    EXPECT_EQ(RunClock::format(83.49), "1:23.4") << "tenths are cut, not rounded";
    EXPECT_EQ(RunClock::format(3600.0), "60:00.0");
}
} // namespace
