#include "storage/AtomicFile.hpp"

#include "i18n/Translator.hpp"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
// As many links as the system itself follows before it gives up on a loop.
constexpr int kLongestChain = 40;
// Names tried before giving up, should files a crashed game left behind hold the first ones.
constexpr int kNamesTried = 100;
// Kept copies of a damaged file before the next one is refused rather than put over one of them.
constexpr int kMostBadCopies = 1000;

// A file made by this call alone: O_EXCL fails on anything already there, a link or a pipe included, rather
// than open it. -1, with errno set, when no name is free.
int createNewFile(const std::string& target, std::string& name) {
    static std::atomic<unsigned> made{0};
    int descriptor = -1;
    for (int attempt = 0; attempt < kNamesTried && descriptor < 0; ++attempt) {
        name = target + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(made++);
        descriptor = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (descriptor < 0 && errno != EEXIST) {
            break;
        }
    }
    return descriptor;
}

// Writes and flushes the whole text, so a crash right after the rename cannot leave an empty file. The
// reason when that fails, and then the new file is gone.
std::string writeWholeFile(const std::string& target, const std::string& text, std::string& path) {
    const int descriptor = createNewFile(target, path);
    if (descriptor < 0) {
        return std::strerror(errno);
    }
    std::size_t written = 0;
    int problem = 0;
    while (written < text.size() && problem == 0) {
        const ssize_t count = ::write(descriptor, text.data() + written, text.size() - written);
        if (count >= 0) {
            written += static_cast<std::size_t>(count);
        } else if (errno != EINTR) {
            problem = errno;
        }
    }
    if (problem == 0 && ::fsync(descriptor) != 0) {
        problem = errno;
    }
    if (::close(descriptor) != 0 && problem == 0) {
        problem = errno;
    }
    if (problem != 0) {
        ::unlink(path.c_str());
        return std::strerror(problem);
    }
    return "";
}

// Renames only when nothing stands at `to`. False, with errno EEXIST, when something does.
bool renameWithoutReplacing(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return false;
    }
    // A file system that cannot refuse by itself: the lock beside the file keeps other games out.
    std::error_code error;
    if (fs::exists(fs::symlink_status(to, error)) || error) {
        errno = error ? error.value() : EEXIST;
        return false;
    }
    return ::rename(from.c_str(), to.c_str()) == 0;
}
} // namespace

std::string AtomicFile::target(const std::string& path) {
    // A link to nowhere is still followed: the file it names is the one to make.
    fs::path file = path;
    std::error_code error;
    for (int step = 0; step < kLongestChain; ++step) {
        if (!fs::is_symlink(fs::symlink_status(file, error))) {
            return file.string();
        }
        const fs::path next = fs::read_symlink(file, error);
        if (error) {
            return path;
        }
        file = next.is_absolute() ? next : (file.parent_path() / next).lexically_normal();
    }
    return path; // links in a loop
}

bool AtomicFile::makeFolder(const std::string& path, std::string& problem) {
    const fs::path folder = fs::path(target(path)).parent_path();
    if (folder.empty()) {
        return true;
    }
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) {
        problem = fill(tr("cannot create the folder {1}: {2}"), {folder.string(), error.message()});
        return false;
    }
    return true;
}

bool AtomicFile::write(const std::string& path, const std::string& text, std::string& problem) {
    std::string newFile;
    return makeFolder(path, problem) && writeBeside(path, text, newFile, problem) &&
           replaceWithNew(newFile, path, problem);
}

bool AtomicFile::writeBeside(const std::string& path, const std::string& text, std::string& newFile,
                             std::string& problem) {
    const std::string file = target(path);
    const std::string reason = writeWholeFile(file, text, newFile);
    if (!reason.empty()) {
        problem = fill(tr("cannot write a new file beside {1}: {2}"), {file, reason});
        newFile.clear();
        return false;
    }
    return true;
}

bool AtomicFile::replaceWithNew(const std::string& newFile, const std::string& path, std::string& problem) {
    const std::string file = target(path);
    std::error_code error;
    fs::rename(newFile, file, error);
    if (error) {
        problem = fill(tr("cannot replace {1}: {2}"), {file, error.message()});
        discard(newFile);
        return false;
    }
    return true;
}

void AtomicFile::discard(const std::string& newFile) {
    if (!newFile.empty()) {
        ::unlink(newFile.c_str());
    }
}

bool AtomicFile::keepAsBad(const std::string& path, std::string& problem) {
    const std::string file = target(path);
    std::error_code error;
    if (!fs::exists(fs::symlink_status(file, error))) {
        return true;
    }
    fs::rename(file, file + ".bad", error);
    if (error) {
        problem = fill(tr("cannot keep {1} as {2}: {3}"), {file, file + ".bad", error.message()});
        return false;
    }
    return true;
}

bool AtomicFile::keepAsNewBad(const std::string& path, std::string& keptAs, std::string& problem) {
    const std::string file = target(path);
    keptAs.clear();
    std::error_code error;
    if (!fs::exists(fs::symlink_status(file, error))) {
        return true;
    }
    for (int copy = 0; copy < kMostBadCopies; ++copy) {
        const std::string name = file + ".bad" + (copy == 0 ? "" : "." + std::to_string(copy));
        if (renameWithoutReplacing(file, name)) {
            keptAs = name;
            return true;
        }
        if (errno != EEXIST) {
            problem = fill(tr("cannot keep {1} as {2}: {3}"), {file, name, std::strerror(errno)});
            return false;
        }
    }
    problem = fill(trn("cannot keep {1}: {2} copy of it is kept already",
                       "cannot keep {1}: {2} copies of it are kept already", kMostBadCopies),
                   {file, std::to_string(kMostBadCopies)});
    return false;
}
