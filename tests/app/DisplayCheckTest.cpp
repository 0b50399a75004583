// The display check keeps its connection to the X server until the game's window exists. A server that
// resets when its last client leaves, as xvfb-run's does, would otherwise be resetting while the game
// connects again for its window, and the game would fail to start.
#include "app/DisplayCheck.hpp"

#include "support/EndToEndTest.hpp"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {

const char* const kMark = "PELLOWICK_TEST_MARK";

// Opens, writes a mark on the root window and leaves, as SFML does when it asks for the desktop's size.
bool markServer(const std::string& name) {
    Display* display = XOpenDisplay(name.c_str());
    if (display == nullptr) {
        return false;
    }
    const unsigned char one = 1;
    XChangeProperty(display, DefaultRootWindow(display), XInternAtom(display, kMark, False), XA_INTEGER, 8,
                    PropModeReplace, &one, 1);
    XCloseDisplay(display);
    return true;
}

// A reset clears the mark; a server in the middle of one refuses the connection.
bool markSurvives(const std::string& name) {
    Display* display = XOpenDisplay(name.c_str());
    if (display == nullptr) {
        return false;
    }
    bool found = false;
    const Atom mark = XInternAtom(display, kMark, True);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (mark != None &&
        XGetWindowProperty(display, DefaultRootWindow(display), mark, 0, 1, False, AnyPropertyType, &type,
                           &format, &count, &after, &data) == Success) {
        found = count == 1;
        XFree(data);
    }
    XCloseDisplay(display);
    return found;
}

TEST(DisplayCheckTest, TheServerKeepsAClientFromTheCheckUntilTheWindowExists) {
    VirtualDisplay server("640x480x24", true);
    ASSERT_TRUE(server.ok());
    const std::string previous = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
    setenv("DISPLAY", server.name.c_str(), 1);
    {
        DisplayCheck check;
        EXPECT_TRUE(check.isOpenOrExplain());
        ASSERT_TRUE(markServer(server.name));
        EXPECT_TRUE(markSurvives(server.name)) << "the server reset after the check";
        check.release();
    }
    // Without it, the server resets as soon as the last connection leaves.
    bool reset = false;
    for (int attempt = 0; attempt < 100 && !reset; ++attempt) {
        reset = markServer(server.name) && !markSurvives(server.name);
    }
    EXPECT_TRUE(reset);
    setenv("DISPLAY", previous.c_str(), 1);
}

} // namespace
