#pragma once

#include <map>
#include <string>

// Before the shipped levels had ids, their records and ghosts were kept under keys made of each map's file
// name and content, which changed with every new version of a map. At every start this carries what is
// kept under those earlier keys over to the levels' ids: a difficulty a level has no record of at its id
// takes the best time of its earlier versions and the sum of their wins, and a missing ghost the quickest
// of the earlier ghosts that can still be read. Nothing kept under an earlier key is changed or deleted.
class RecordsCarryOver {
public:
    // levelId -> each key it had before, for every version of the shipped maps in the project's history
    // (src/storage/EarlierLevelKeys.def, made by tools/levelkeys/earlier-level-keys).
    static const std::multimap<std::string, std::string>& shippedHistory();

    // Writes only when there is something to carry; an empty path or folder is left alone.
    static void run(const std::string& recordsPath, const std::string& ghostsFolder,
                    const std::multimap<std::string, std::string>& earlierKeys = shippedHistory());
};
