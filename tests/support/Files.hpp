#pragma once

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <future>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

// A new empty folder of this test's own, "/tmp/pellowick-<kind>-XXXXXX"; empty when none can be made.
inline std::string makeTempFolder(const std::string& kind = "e2e") {
    std::string pattern = "/tmp/pellowick-" + kind + "-XXXXXX";
    const char* made = mkdtemp(pattern.data());
    return made ? made : "";
}

// A file's bytes as they are on disk; empty when it cannot be read.
inline std::string readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Runs `write` while a pipe that nobody reads stands at `fifo`. False when the write is still blocked on the
// pipe after a generous wait: the pipe is then opened for reading, which frees it.
inline bool finishesBesideAPipe(const std::string& fifo, const std::function<void()>& write) {
    if (::mkfifo(fifo.c_str(), 0600) != 0) {
        return false;
    }
    auto done = std::async(std::launch::async, write);
    if (done.wait_for(std::chrono::seconds(20)) == std::future_status::ready) {
        return true;
    }
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    done.wait();
    ::close(reader);
    return false;
}
