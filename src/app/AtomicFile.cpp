#include "app/AtomicFile.hpp"

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
// A crash right after the rename must not leave an empty file behind.
void syncToDisk(const std::string& path) {
    const int descriptor = ::open(path.c_str(), O_RDONLY);
    if (descriptor >= 0) {
        ::fsync(descriptor);
        ::close(descriptor);
    }
}
} // namespace

std::string AtomicFile::target(const std::string& path) {
    // A link to nowhere is still followed: the file it names is the one to make. A loop ends the search.
    constexpr int kLongestChain = 40;
    fs::path file = path;
    std::error_code error;
    for (int step = 0; step < kLongestChain && fs::is_symlink(fs::symlink_status(file, error)); ++step) {
        const fs::path next = fs::read_symlink(file, error);
        if (error) {
            return path;
        }
        file = next.is_absolute() ? next : (file.parent_path() / next).lexically_normal();
    }
    return file.string();
}

bool AtomicFile::write(const std::string& path, const std::string& text, std::string& problem) {
    const std::string file = target(path);
    std::error_code error;
    const fs::path folder = fs::path(file).parent_path();
    if (!folder.empty()) {
        fs::create_directories(folder, error);
        if (error) {
            problem = "cannot make the folder " + folder.string() + ": " + error.message();
            return false;
        }
    }
    const std::string newFile = file + ".tmp";
    {
        std::ofstream out(newFile, std::ios::binary | std::ios::trunc);
        out << text;
        out.flush();
        if (!out) {
            problem = "cannot write " + newFile;
            fs::remove(newFile, error);
            return false;
        }
    }
    syncToDisk(newFile);
    fs::rename(newFile, file, error);
    if (error) {
        problem = "cannot replace the file: " + error.message();
        fs::remove(newFile, error);
        return false;
    }
    return true;
}

bool AtomicFile::keepAsBad(const std::string& path, std::string& problem) {
    const std::string file = target(path);
    std::error_code error;
    fs::copy_file(file, file + ".bad", fs::copy_options::overwrite_existing, error);
    if (error) {
        problem = "cannot keep a copy as " + file + ".bad: " + error.message();
        return false;
    }
    return true;
}
