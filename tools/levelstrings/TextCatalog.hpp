#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace levelstrings {

// The texts a level or a menu form shows, gathered for the translators' template: each text once, with
// every file it comes from and a note on what it is.
class TextCatalog {
public:
    // Adds the words of a map's name, intro and hints (any object's "text" property). False, with one line
    // on sf::err() naming the file, when it cannot be read as XML.
    bool addLevel(const std::string& path);
    // Adds the words of a menu form's Text = "..." entries.
    bool addForm(const std::string& path);
    // The entries as a .pot file, for xgettext to join into pellowick.pot.
    void write(std::ostream& out) const;

private:
    struct Entry {
        std::string text;
        std::string note;
        std::vector<std::string> files;
    };
    void add(const std::string& text, const std::string& note, const std::string& file);

    std::vector<Entry> entries;
};

} // namespace levelstrings
