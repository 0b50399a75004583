#pragma once

#include <ostream>

// Writes every object type the game handles as a Tiled object-types file (the XML form Tiled 1.8 reads from
// a project's "objectTypesFile"): one type per object type of the level, with its colour and its properties
// in the order the game reads them, defaulting to the values of the shipped level.
class ObjectTypesWriter {
public:
    static void write(std::ostream& out);
};
