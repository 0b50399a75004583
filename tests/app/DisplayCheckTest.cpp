// The display check keeps its connection to the X server until the game's window exists. A server that
// resets when its last client leaves, as xvfb-run's does, would otherwise be resetting while the game
// connects again for its window, and the game would fail to start.
#include "app/DisplayCheck.hpp"

#include "support/EndToEndTest.hpp"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {

const char* const kMark = "PELLOWICK_TEST_MARK";

// Opens the server, writes a mark on its root window or looks for it, and leaves, as SFML does when it asks
// for the desktop's size. A reset clears the mark; a server in the middle of one refuses the connection.
bool mark(const std::string& name, bool write) {
    Display* display = XOpenDisplay(name.c_str());
    if (display == nullptr) {
        return false;
    }
    const Atom atom = XInternAtom(display, kMark, write ? False : True);
    const unsigned char one = 1;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    bool found = write;
    if (write) {
        XChangeProperty(display, DefaultRootWindow(display), atom, XA_INTEGER, 8, PropModeReplace, &one, 1);
    } else if (atom != None &&
               XGetWindowProperty(display, DefaultRootWindow(display), atom, 0, 1, False, AnyPropertyType,
                                  &type, &format, &count, &after, &data) == Success) {
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
        ASSERT_TRUE(mark(server.name, true));
        EXPECT_TRUE(mark(server.name, false)) << "the server reset after the check";
        check.release();
    }
    // Without it, the server resets as soon as the last connection leaves.
    bool reset = false;
    for (int attempt = 0; attempt < 100 && !reset; ++attempt) {
        reset = mark(server.name, true) && !mark(server.name, false);
    }
    EXPECT_TRUE(reset);
    setenv("DISPLAY", previous.c_str(), 1);
}

} // namespace
