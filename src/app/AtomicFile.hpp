#pragma once

#include <string>

// Replaces a small file of the player's as a whole: the new text goes to a file beside the one it replaces,
// is flushed to the disk and renamed over it, so a reader (or a crash) finds either the old text or the new,
// never a mix. A symbolic link is followed: the file it leads to is replaced and the link stays a link.
class AtomicFile {
public:
    // The file that writing `path` replaces: `path`, or where its links lead when it is one.
    static std::string target(const std::string& path);
    // Writes `text` in place of the file at `path`, making its folder when needed. False, with `problem`
    // set to one line, when it cannot; the old file is then left as it was.
    static bool write(const std::string& path, const std::string& text, std::string& problem);
    // Keeps the file at `path` as "<target>.bad", replacing an older one. False, with `problem` set,
    // when it cannot.
    static bool keepAsBad(const std::string& path, std::string& problem);
};
