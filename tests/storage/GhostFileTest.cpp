#include "storage/GhostFile.hpp"

#include "support/ErrCapture.hpp"
#include "support/Files.hpp"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {
namespace fs = std::filesystem;
constexpr Difficulty kNormal = Difficulty::Normal;
const std::string kLevel = "map.tmx#0123456789abcdef";

// Two seconds walking right at 30 pixels a second, going inside halfway.
GhostRun walkRight() {
    GhostRun run;
    for (int frame = 0; frame <= 120; ++frame) {
        const double seconds = frame / 60.0;
        run.record(seconds, {static_cast<float>(30.0 * seconds), 5.0f}, seconds >= 1.0);
    }
    return run;
}

TEST(GhostRunTest, TheGhostStandsWhereTheRunWasAtEachMomentOfTheClock) {
    const GhostRun run = walkRight();
    EXPECT_EQ(run.size(), 61u) << "30 samples a second, the first at 0";
    EXPECT_FALSE(run.at(-0.1));
    EXPECT_FALSE(run.at(2.05)) << "past the end the ghost has gone";
    const auto halfway = run.at(0.5);
    ASSERT_TRUE(halfway);
    EXPECT_NEAR(halfway->position.x, 15.0f, 0.01f);
    EXPECT_FALSE(halfway->inside);
    const auto between = run.at(0.5 + 1.0 / 60.0); // halfway between two samples
    EXPECT_NEAR(between->position.x, 15.5f, 0.01f);
    EXPECT_TRUE(run.at(1.5)->inside);

    // A long frame repeats the place rather than leave a gap; a run longer than half an hour keeps its start.
    GhostRun slow;
    slow.record(0.0, {1, 1}, false);
    slow.record(0.5, {2, 2}, false);
    EXPECT_EQ(slow.size(), 16u);
    EXPECT_EQ(slow.at(0.3)->position, sf::Vector2f(2, 2));
    slow.record(3600.0, {3, 3}, false);
    EXPECT_EQ(slow.size(), GhostRun::kMostSamples);
}

class GhostFileTest : public testing::Test {
protected:
    void SetUp() override {
        folder = makeTempFolder("ghosts");
        path = GhostFile(folder).pathFor(kLevel, kNormal);
    }
    void TearDown() override { fs::remove_all(folder); }
    void write(const std::string& text) { std::ofstream(path, std::ios::binary | std::ios::trunc) << text; }

    std::string folder;
    std::string path;
};

TEST_F(GhostFileTest, ARunComesBackAsSavedBesideTheOthersAndReplacesTheOldOne) {
    const GhostFile ghosts(folder + "/ghosts");
    EXPECT_EQ(GhostFile("").pathFor(kLevel, kNormal), "");
    EXPECT_FALSE(ghosts.load(kLevel, kNormal)) << "no ghost before the first best";
    ASSERT_TRUE(ghosts.save(kLevel, kNormal, walkRight())) << "the folder is made";
    EXPECT_EQ(ghosts.pathFor(kLevel, kNormal), folder + "/ghosts/" + kLevel + ".normal.ghost");
    const auto loaded = ghosts.load(kLevel, kNormal);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->size(), 61u);
    EXPECT_NEAR(loaded->at(0.5)->position.x, 15.0f, 0.01f);
    EXPECT_FALSE(ghosts.load(kLevel, Difficulty::Hard)) << "each difficulty has its own";

    GhostRun shorter;
    shorter.record(0.0, {7, 7}, true);
    ASSERT_TRUE(ghosts.save(kLevel, kNormal, shorter));
    EXPECT_EQ(ghosts.load(kLevel, kNormal)->size(), 1u);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder + "/ghosts"), fs::directory_iterator()), 1)
        << "nothing left beside it";

    // A level whose name is too long for a file name still gets a file of its own.
    const std::string longLevel = std::string(300, 'x') + ".tmx#fedcba9876543210";
    ASSERT_TRUE(ghosts.save(longLevel, kNormal, shorter));
    EXPECT_TRUE(ghosts.load(longLevel, kNormal));
    EXPECT_LT(fs::path(ghosts.pathFor(longLevel, kNormal)).filename().string().size(), 255u);
}

TEST_F(GhostFileTest, WhatIsNoGoodGhostCostsOnlyTheGhostWithOneLine) {
    const std::string whole = walkRight().toText();
    // What the file holds, and what the one line says of it.
    const std::pair<std::string, std::string> cases[] = {
        {whole.substr(0, whole.rfind('\n', whole.size() / 2) + 1), "the file ends early"},
        {whole.substr(0, whole.rfind('\n', whole.size() / 2) + 3), "needs \"x y inside\""},
        {"pellowick-ghost 2\nsamples 1\n0 0 0\n", "is a ghost of version 2"},
        {"[levels]\n", "is not a ghost of this game"},
        {"pellowick-ghost 1\nsamples 99999999\n", "line 2: needs \"samples N\""},
        {"pellowick-ghost 1\nsamples 2\n1 2 0\n1 2 maybe\n", "line 4: needs"},
        {"pellowick-ghost 1\nsamples 1\n1e30 2 0\n", "line 3: needs"}, // beyond any map
        {"pellowick-ghost 1\nsamples 1\n1 2 0\n3 4 1\n", "line 4: more than"},
        {whole + std::string(GhostFile::kLargestFile, '\n'), "bytes"},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(expected);
        write(text);
        ErrCapture errors;
        EXPECT_FALSE(GhostFile(folder).load(kLevel, kNormal));
        const std::string said = errors.text();
        EXPECT_EQ(said.rfind(path + ": ", 0), 0u) << said;
        EXPECT_NE(said.find(expected), std::string::npos) << said;
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    }

    // A folder, a pipe and a link are neither read nor written over: the pipe would never answer, and
    // the link could lead anywhere.
    const std::string elsewhere = folder + "/elsewhere.ghost";
    std::ofstream(elsewhere) << whole;
    const std::vector<std::pair<std::string, std::function<void()>>> strangers = {
        {"is a folder", [&] { fs::create_directory(path); }},
        {"is not a plain file", [&] { ASSERT_EQ(mkfifo(path.c_str(), 0600), 0); }},
        {"is a link; a ghost is only a plain file", [&] { fs::create_symlink(elsewhere, path); }},
    };
    for (const auto& [said, make] : strangers) {
        SCOPED_TRACE(said);
        fs::remove_all(path);
        make();
        ErrCapture errors;
        EXPECT_FALSE(GhostFile(folder).load(kLevel, kNormal));
        EXPECT_FALSE(GhostFile(folder).save(kLevel, kNormal, walkRight()));
        EXPECT_EQ(errors.text(), path + ": " + said + "; the level plays without its ghost\n" + path + ": " +
                                     said + "; the ghost of this run is not kept\n");
    }
    EXPECT_EQ(fs::file_size(elsewhere), whole.size()) << "the file behind the link is untouched";
}
} // namespace
