#pragma once

#include <string>

// Makes two running games take turns at one of the player's files: while a FileLock lives, it holds an
// exclusive flock() on "<file>.lock" beside the file (beside its target when it is a link), so a game can
// read the file, merge its own change in and replace the file before the other reads it. The lock file is
// made when missing and left in place; the system lets the lock go when a game dies. A lock that cannot be
// had (a read-only folder, something else than a file at the lock's name, a game that keeps it longer than
// kLongestWaitMilliseconds without saving the file) leaves held() false and problem() saying why in one
// line; it never blocks for good. Games that save one after the other are waited for, however many.
class FileLock {
public:
    // Far longer than any game holds the lock for one save.
    static constexpr int kLongestWaitMilliseconds = 3000;

    // Locks; the folder of the file must exist.
    explicit FileLock(const std::string& path);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool held() const { return descriptor >= 0; }
    const std::string& problem() const { return why; }

private:
    int descriptor = -1;
    std::string why;
};
