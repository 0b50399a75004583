#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

// A private Xvfb server for one end-to-end test, so tests that click and type
// never disturb each other or the display the suite runs on.
class VirtualDisplay {
public:
    // `screen` as Xvfb takes it: width x height x depth. The server keeps its state for its whole life
    // unless `resetsWhenEmpty`: then, like xvfb-run's, it resets whenever its last client leaves.
    explicit VirtualDisplay(const std::string& screen = "1024x768x24", bool resetsWhenEmpty = false);
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    bool ok() const { return !name.empty(); }
    // Runs a shell command with DISPLAY set to this server; returns its standard output.
    std::string run(const std::string& command, int* status = nullptr) const;
    // Asks a window to close, as a window manager's close button would.
    bool requestClose(const std::string& windowId) const;
    // Saves the whole screen as a PNG.
    bool screenshot(const std::string& path) const;

    std::string name; // ":N"

private:
    pid_t server = -1;
};

// A program started in the background with extra environment variables.
class ChildProcess {
public:
    // The program's error stream goes to errorFile when one is named.
    ChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
                 const std::string& workingDirectory, const std::string& errorFile = "");
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Waits up to `seconds` for the program to end; true with its exit status when it did.
    bool waitForExit(double seconds, int& exitStatus);
    bool running();

private:
    pid_t pid = -1;
    bool reaped = false;
};
