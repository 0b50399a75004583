// pellowick-levelstrings <out.pot> <file>...
//
// Gathers the words of the shipped levels (.tmx: the name, the intro, every hint's text) and of the menu
// forms (.txt: their Text entries) into a .pot file, which the catalogs' update joins into
// po/pellowick.pot. The game looks these texts up when it shows them.

#include "TextCatalog.hpp"

#include <SFML/System/Err.hpp>
#include <fstream>
#include <string>

int main(int argc, char* argv[]) {
    if (argc < 2) {
        sf::err() << "usage: pellowick-levelstrings <out.pot> <level.tmx | form.txt>..." << std::endl;
        return 2;
    }
    levelstrings::TextCatalog catalog;
    bool ok = true;
    for (int i = 2; i < argc; ++i) {
        const std::string path = argv[i];
        const bool isForm = path.size() > 4 && path.compare(path.size() - 4, 4, ".txt") == 0;
        ok = (isForm ? catalog.addForm(path) : catalog.addLevel(path)) && ok;
    }
    std::ofstream out(argv[1], std::ios::binary);
    catalog.write(out);
    if (!out) {
        sf::err() << argv[1] << ": cannot be written" << std::endl;
        return 1;
    }
    return ok ? 0 : 1;
}
