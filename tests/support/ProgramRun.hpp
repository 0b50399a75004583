#pragma once

#include "support/Files.hpp"

#include <cstdlib>
#include <string>
#include <sys/wait.h>

// What a program printed and the status it exited with.
struct ProgramRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs a shell command without a display: a program that tried to open a window
// would abort instead of exiting with the status it chose. It runs in `scratch`,
// which also receives the captured output.
inline ProgramRun runWithoutDisplay(const std::string& command, const std::string& scratch) {
    const std::string out = scratch + "/stdout.txt";
    const std::string err = scratch + "/stderr.txt";
    const int status =
        std::system(("cd " + scratch + " && env -u DISPLAY " + command + " >" + out + " 2>" + err).c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readWholeFile(out), readWholeFile(err)};
}
