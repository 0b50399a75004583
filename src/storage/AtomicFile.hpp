#pragma once

#include <string>

// Replaces a small file of the player's as a whole: the new text goes to a new file beside the one it
// replaces, under a name of its own ("<file>.tmp-<process>-<count>"), is flushed to the disk and renamed
// over it, so a reader (or a crash) finds either the old text or the new, never a mix. The new file is
// always created afresh: whatever already stands at a name (a pipe, a link, another game's new file) is
// never opened, so a write cannot block on it nor write through it. A symbolic link at the file itself is
// followed: the file it leads to is replaced and the link stays a link. Every failure sets `problem` to one
// line and leaves the old file as it was.
class AtomicFile {
public:
    // The file that writing `path` replaces: `path`, or where its links lead when it is one.
    static std::string target(const std::string& path);
    // Makes the folder the target of `path` lives in, when it is missing.
    static bool makeFolder(const std::string& path, std::string& problem);
    // makeFolder(), writeBeside() and replaceWithNew() in one.
    static bool write(const std::string& path, const std::string& text, std::string& problem);
    // The first half of write(): the complete new file beside the target, whose folder must exist; its name
    // goes to `newFile`. Nothing is left behind when it fails.
    static bool writeBeside(const std::string& path, const std::string& text, std::string& newFile,
                            std::string& problem);
    // The second half: renames the new file over the target. The new file is removed when that fails.
    static bool replaceWithNew(const std::string& newFile, const std::string& path, std::string& problem);
    // Removes a new file that is not going to replace anything after all.
    static void discard(const std::string& newFile);
    // Moves the target of `path` (a file, or whatever else stands there) to "<target>.bad", replacing an
    // older one, so a file the game could not read is never lost to the next write.
    static bool keepAsBad(const std::string& path, std::string& problem);
    // The same, but never over an older copy: the first free name of "<target>.bad", "<target>.bad.1",
    // "<target>.bad.2"... goes to `keptAs` ("" when nothing stood at the target).
    static bool keepAsNewBad(const std::string& path, std::string& keptAs, std::string& problem);
};
