// pellowick-objecttypes [FILE]
//
// Writes Tiled's object-types file for the level project (levels/objecttypes.xml) to FILE, or to the
// standard output without one.
#include "ObjectTypesWriter.hpp"

#include <fstream>
#include <iostream>

int main(int argc, char** argv) {
    if (argc > 2) {
        std::cerr << "usage: pellowick-objecttypes [FILE]\n";
        return 2;
    }
    if (argc == 1) {
        ObjectTypesWriter::write(std::cout);
        return std::cout ? 0 : 1;
    }
    std::ofstream file(argv[1], std::ios::binary);
    ObjectTypesWriter::write(file);
    file.close();
    if (!file) {
        std::cerr << argv[1] << ": could not write the object types" << std::endl;
        return 1;
    }
    return 0;
}
