#include "storage/FileLock.hpp"

#include "storage/AtomicFile.hpp"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {
constexpr std::chrono::milliseconds kPollInterval{5};

bool tryLock(int descriptor, int& problem) {
    for (;;) {
        if (::flock(descriptor, LOCK_EX | LOCK_NB) == 0) {
            return true;
        }
        if (errno != EINTR) {
            problem = errno;
            return false;
        }
    }
}
} // namespace

FileLock::FileLock(const std::string& path) {
    const std::string lockFile = AtomicFile::target(path) + ".lock";
    // O_NONBLOCK: a pipe at the lock's name opens at once, and is then refused as no file.
    const int opened = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
    if (opened < 0) {
        why = "cannot open " + lockFile + ": " + std::strerror(errno);
        return;
    }
    struct stat about {};
    if (::fstat(opened, &about) != 0 || !S_ISREG(about.st_mode)) {
        ::close(opened);
        why = "cannot lock " + lockFile + ": it is not a regular file";
        return;
    }
    const auto giveUp =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(kLongestWaitMilliseconds);
    int problem = 0;
    while (!tryLock(opened, problem)) {
        if (problem != EWOULDBLOCK) {
            ::close(opened);
            why = "cannot lock " + lockFile + ": " + std::strerror(problem);
            return;
        }
        if (std::chrono::steady_clock::now() >= giveUp) {
            ::close(opened);
            why = "cannot lock " + lockFile + ": another game has held it for " +
                  std::to_string(kLongestWaitMilliseconds / 1000) + " s";
            return;
        }
        std::this_thread::sleep_for(kPollInterval);
    }
    descriptor = opened;
}

FileLock::~FileLock() {
    if (descriptor >= 0) {
        ::close(descriptor); // closing lets the lock go
    }
}
