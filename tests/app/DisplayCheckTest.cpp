// The display check keeps its connection to the X server until the game's window exists. A server that
// resets when its last client leaves, as xvfb-run's does, would otherwise be resetting while the game
// connects again for its window, and the game would fail to start.
#include "app/DisplayCheck.hpp"

#include "support/VirtualDisplay.hpp"

#include <cstdlib>
#include <gtest/gtest.h>

namespace {

// Writes a mark on the server's root window or looks for it, from a client that then leaves, as SFML's
// question for the desktop's size does. A reset clears the mark; a server in the middle of one refuses.
bool mark(const VirtualDisplay& server, bool write) {
    int status = -1;
    const std::string said =
        server.run(write ? "xprop -root -f PELLOWICK_TEST_MARK 8i -set PELLOWICK_TEST_MARK 1"
                         : "xprop -root PELLOWICK_TEST_MARK 2>&1",
                   &status);
    return status == 0 && (write || said.find("= 1") != std::string::npos);
}

TEST(DisplayCheckTest, TheServerKeepsAClientFromTheCheckUntilTheWindowExists) {
    VirtualDisplay server("640x480x24", true);
    ASSERT_TRUE(server.ok());
    const std::string previous = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
    setenv("DISPLAY", server.name.c_str(), 1);
    {
        DisplayCheck check;
        EXPECT_TRUE(check.isOpenOrExplain());
        ASSERT_TRUE(mark(server, true));
        EXPECT_TRUE(mark(server, false)) << "the server reset after the check";
        check.release();
    }
    // Without it, the server resets as soon as the last connection leaves.
    bool reset = false;
    for (int attempt = 0; attempt < 100 && !reset; ++attempt) {
        reset = mark(server, true) && !mark(server, false);
    }
    EXPECT_TRUE(reset);
    setenv("DISPLAY", previous.c_str(), 1);
}

} // namespace
