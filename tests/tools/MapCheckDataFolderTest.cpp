// pellowick-mapcheck looks for the map's pictures where the game does, not in the working folder, and
// --data points it at another game folder; a folder given as the map is refused, and so is a drawing
// without a display, in one line with nothing written.
#include "support/ProgramRun.hpp"

#include <filesystem>
#include <gtest/gtest.h>

namespace {
namespace fs = std::filesystem;

const fs::path kRuntime = PELLOWICK_RUNTIME_DIR;

TEST(MapCheckDataFolderTest, PicturesComeFromTheGameFolderOrTheOneGivenAndDrawingNeedsADisplay) {
    const fs::path scratch = makeTempFolder("mapcheck"); // a folder without Assets/
    fs::create_directories(scratch / "empty");
    fs::create_directories(scratch / "game");
    fs::copy(kRuntime / "Assets", scratch / "game/Assets", fs::copy_options::recursive);
    const std::string tool = "'" + (kRuntime / "pellowick-mapcheck").string() + "' ";
    const std::string map = " '" + (kRuntime / "Assets/map.tmx").string() + "'";
    const struct {
        std::string arguments;
        int status;
        std::string said; // on the standard output
        std::string err;
    } cases[] = {
        {map, 0, "\nplayable", ""},
        {"", 0, "\nplayable", ""},
        {"--data game" + map, 0, "\nplayable", ""},
        {"--data empty" + map, 1, "NOT playable",
         "empty: has no Assets folder, so the map's pictures cannot be found there\n"},
        {"empty", 1, "", (scratch / "empty").string() + ": is a folder\n"},
        {"--render out.png" + map, 1, "\nplayable",
         "pellowick-mapcheck: out.png: not drawn: drawing the map needs a display (run the check under "
         "xvfb-run)\n"},
    };
    for (const auto& c : cases) {
        const ProgramRun run = runWithoutDisplay(tool + c.arguments, scratch.string());
        EXPECT_EQ(run.status, c.status) << c.arguments << "\n" << run.out << run.err;
        EXPECT_NE(run.out.find(c.said), std::string::npos) << c.arguments << "\n" << run.out;
        EXPECT_EQ(run.err, c.err) << c.arguments;
    }
    for (const fs::directory_entry& entry : fs::directory_iterator(scratch)) {
        EXPECT_NE(entry.path().filename().string().rfind("out.png", 0), 0u) << entry.path();
    }

    fs::remove(scratch / "game/Assets/egg.png");
    const ProgramRun run = runWithoutDisplay(tool + "--data game" + map, scratch.string());
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("error: object \"egg1\": texture \"Assets/egg.png\" does not exist"),
              std::string::npos)
        << run.out;
    EXPECT_EQ(run.out.find("dog1.png"), std::string::npos) << run.out;
    fs::remove_all(scratch);
}
} // namespace
