#pragma once

#include <string_view>

namespace assetgen {

// The pictures of PictureTable.def by file and size, for code that checks them without drawing them.
class PictureTable {
public:
    struct Picture {
        const char* file; // under Assets/
        unsigned width;
        unsigned height;
    };

    static constexpr Picture kPictures[] = {
#define PELLOWICK_PICTURE(file, width, height, drawing) {file, width, height},
#include "PictureTable.def"
#undef PELLOWICK_PICTURE
    };
    // The pictures that hold words: drawn again for each translated language into Assets/<lang>/, which
    // the game prefers while that language is shown.
    static constexpr const char* kWithWords[] = {"startScreen.png", "controls.png", "credits.png",
                                                 "won.png",         "lost.png",     "pause.png"};
    static bool holdsWords(const char* file) {
        for (const char* withWords : kWithWords) {
            if (std::string_view(withWords) == file) {
                return true;
            }
        }
        return false;
    }
};

} // namespace assetgen
