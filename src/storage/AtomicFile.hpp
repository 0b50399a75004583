#pragma once

#include <string>

// Replaces a small file of the player's as a whole: the new text goes to "<file>.tmp" beside the one it
// replaces, is flushed to the disk and renamed over it, so a reader (or a crash) finds either the old text
// or the new, never a mix. A symbolic link is followed: the file it leads to is replaced and the link stays
// a link. Every failure sets `problem` to one line and leaves the old file as it was.
class AtomicFile {
public:
    // The file that writing `path` replaces: `path`, or where its links lead when it is one.
    static std::string target(const std::string& path);
    // Makes the folder the target of `path` lives in, when it is missing.
    static bool makeFolder(const std::string& path, std::string& problem);
    // makeFolder(), writeBeside() and replaceWithNew() in one.
    static bool write(const std::string& path, const std::string& text, std::string& problem);
    // The first half of write(): the complete new file beside the target, whose folder must exist. A new
    // file left over from an earlier, interrupted write is overwritten.
    static bool writeBeside(const std::string& path, const std::string& text, std::string& problem);
    // The second half: renames the new file over the target.
    static bool replaceWithNew(const std::string& path, std::string& problem);
    // Moves the target of `path` (a file, or whatever else stands there) to "<target>.bad", replacing an
    // older one, so a file the game could not read is never lost to the next write.
    static bool keepAsBad(const std::string& path, std::string& problem);
};
