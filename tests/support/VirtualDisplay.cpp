#include "support/VirtualDisplay.hpp"

#include <X11/Xlib.h>
#include <array>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

VirtualDisplay::VirtualDisplay(const std::string& screen, bool resetsWhenEmpty) {
    int fds[2];
    if (pipe(fds) != 0) {
        return;
    }
    server = fork();
    if (server == 0) {
        close(fds[0]);
        const std::string fd = std::to_string(fds[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-nolisten", "tcp",
               resetsWhenEmpty ? static_cast<char*>(nullptr) : "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    std::string number;
    char c = 0;
    while (read(fds[0], &c, 1) == 1 && c != '\n') {
        number += c;
    }
    close(fds[0]);
    if (!number.empty()) {
        name = ":" + number;
    }
}

VirtualDisplay::~VirtualDisplay() {
    if (server > 0) {
        kill(server, SIGTERM);
        waitpid(server, nullptr, 0);
    }
}

std::string VirtualDisplay::run(const std::string& command, int* status) const {
    const std::string full = "DISPLAY=" + name + " " + command;
    std::string output;
    FILE* pipe = popen(full.c_str(), "r");
    if (!pipe) {
        return output;
    }
    std::array<char, 256> buffer{};
    while (fgets(buffer.data(), buffer.size(), pipe)) {
        output += buffer.data();
    }
    const int result = pclose(pipe);
    if (status) {
        *status = WIFEXITED(result) ? WEXITSTATUS(result) : -1;
    }
    return output;
}

bool VirtualDisplay::requestClose(const std::string& windowId) const {
    Display* connection = XOpenDisplay(name.c_str());
    if (!connection) {
        return false;
    }
    XEvent close{};
    close.xclient.type = ClientMessage;
    close.xclient.window = std::stoul(windowId);
    close.xclient.message_type = XInternAtom(connection, "WM_PROTOCOLS", False);
    close.xclient.format = 32;
    close.xclient.data.l[0] = static_cast<long>(XInternAtom(connection, "WM_DELETE_WINDOW", False));
    close.xclient.data.l[1] = CurrentTime;
    const bool sent = XSendEvent(connection, close.xclient.window, False, NoEventMask, &close) != 0;
    XCloseDisplay(connection);
    return sent;
}

bool VirtualDisplay::screenshot(const std::string& path) const {
    int status = -1;
    run("import -window root " + path + " 2>/dev/null", &status);
    return status == 0;
}

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
                           const std::string& workingDirectory, const std::string& errorFile) {
    pid = fork();
    if (pid == 0) {
        if (!errorFile.empty() && !freopen(errorFile.c_str(), "w", stderr)) {
            _exit(125);
        }
        for (const std::string& variable : environment) {
            putenv(const_cast<char*>(variable.c_str()));
        }
        if (chdir(workingDirectory.c_str()) != 0) {
            _exit(126);
        }
        std::vector<char*> args;
        for (const std::string& arg : argv) {
            args.push_back(const_cast<char*>(arg.c_str()));
        }
        args.push_back(nullptr);
        execv(args[0], args.data());
        _exit(127);
    }
}

ChildProcess::~ChildProcess() {
    if (pid > 0 && !reaped) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
}

bool ChildProcess::waitForExit(double seconds, int& exitStatus) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < deadline) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            reaped = true;
            exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

bool ChildProcess::running() {
    int status = 0;
    return !reaped && waitpid(pid, &status, WNOHANG) == 0;
}
