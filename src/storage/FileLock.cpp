#include "storage/FileLock.hpp"

#include "i18n/Translator.hpp"
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

// What tells one version of the file from the next: every save puts a new file in its place.
std::string versionOf(const std::string& file) {
    struct stat about {};
    if (::stat(file.c_str(), &about) != 0) {
        return "";
    }
    return std::to_string(about.st_ino) + ":" + std::to_string(about.st_mtim.tv_sec) + "." +
           std::to_string(about.st_mtim.tv_nsec);
}

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
    const std::string target = AtomicFile::target(path);
    const std::string lockFile = target + ".lock";
    // O_NONBLOCK: a pipe at the lock's name opens at once, and is then refused as no file.
    const int opened = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
    if (opened < 0) {
        why = fill(tr("cannot open {1}: {2}"), {lockFile, std::strerror(errno)});
        return;
    }
    struct stat about {};
    if (::fstat(opened, &about) != 0 || !S_ISREG(about.st_mode)) {
        ::close(opened);
        why = fill(tr("cannot lock {1}: it is not a regular file"), {lockFile});
        return;
    }
    const auto wait = std::chrono::milliseconds(kLongestWaitMilliseconds);
    auto giveUp = std::chrono::steady_clock::now() + wait;
    std::string lastSeen = versionOf(target);
    int problem = 0;
    while (!tryLock(opened, problem)) {
        if (problem != EWOULDBLOCK) {
            ::close(opened);
            why = fill(tr("cannot lock {1}: {2}"), {lockFile, std::strerror(problem)});
            return;
        }
        // Another game saved meanwhile: the lock is being passed on, not kept, so the wait starts again.
        // Only a game that keeps the lock without saving is given up on.
        const std::string seen = versionOf(target);
        if (seen != lastSeen) {
            lastSeen = seen;
            giveUp = std::chrono::steady_clock::now() + wait;
        }
        if (std::chrono::steady_clock::now() >= giveUp) {
            ::close(opened);
            why = fill(tr("cannot lock {1}: another game has held it for {2} s"),
                       {lockFile, std::to_string(kLongestWaitMilliseconds / 1000)});
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
