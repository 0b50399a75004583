// pellowick-mapcheck looks for the map's pictures where the game does, not in the working folder, and
// --data points it at another game folder; a folder given as the map is refused.
#include "support/ProgramRun.hpp"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

const fs::path kRuntime = PELLOWICK_RUNTIME_DIR;

std::string quoted(const fs::path& path) {
    return "'" + path.string() + "'";
}

} // namespace

TEST(MapCheckDataFolderTest, PicturesComeFromTheGameFolderOrTheOneGiven) {
    const fs::path scratch = fs::path(testing::TempDir()) / "pellowick_mapcheck_data";
    fs::remove_all(scratch);
    fs::create_directories(scratch / "empty");
    fs::create_directories(scratch / "game");
    fs::copy(kRuntime / "Assets", scratch / "game/Assets", fs::copy_options::recursive);
    const std::string tool = quoted(kRuntime / "pellowick-mapcheck") + " ";
    const std::string map = quoted(kRuntime / "Assets/map.tmx");

    // Run from a folder without Assets/: the program's own folder supplies them.
    ProgramRun run = runWithoutDisplay(tool + map, scratch.string());
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    run = runWithoutDisplay(tool, scratch.string());
    EXPECT_EQ(run.status, 0) << run.out << run.err;

    run = runWithoutDisplay(tool + "--data game " + map, scratch.string());
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    fs::remove(scratch / "game/Assets/egg.png");
    run = runWithoutDisplay(tool + "--data game " + map, scratch.string());
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("error: object \"egg1\": texture \"Assets/egg.png\" does not exist"),
              std::string::npos)
        << run.out;
    EXPECT_EQ(run.out.find("dog1.png"), std::string::npos) << run.out;

    run = runWithoutDisplay(tool + "--data empty " + map, scratch.string());
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("NOT playable"), std::string::npos) << run.out;
    EXPECT_EQ(run.err, "empty: has no Assets folder, so the map's pictures cannot be found there\n");
    run = runWithoutDisplay(tool + "empty", scratch.string());
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, (scratch / "empty").string() + ": is a folder\n")
        << "a folder given as the map is reported, not read";
    fs::remove_all(scratch);
}

// Without a display the check still runs, and a drawing asked for is refused in one line, with nothing
// written: no picture, not even part of one.
TEST(MapCheckDataFolderTest, DrawingWithoutADisplayIsRefusedInOneLine) {
    const fs::path scratch = fs::path(testing::TempDir()) / "pellowick_mapcheck_render";
    fs::remove_all(scratch);
    fs::create_directories(scratch);
    const std::string tool = quoted(kRuntime / "pellowick-mapcheck") + " ";
    const ProgramRun run =
        runWithoutDisplay(tool + "--render out.png " + quoted(kRuntime / "Assets/map.tmx"), scratch.string());
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("\nplayable"), std::string::npos) << run.out;
    EXPECT_EQ(run.err, "pellowick-mapcheck: out.png: not drawn: drawing the map needs a display (run the "
                       "check under xvfb-run)\n");
    for (const fs::directory_entry& entry : fs::directory_iterator(scratch)) {
        EXPECT_NE(entry.path().filename().string().rfind("out.png", 0), 0u) << entry.path();
    }
    fs::remove_all(scratch);
}
