#pragma once

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
};

} // namespace assetgen
