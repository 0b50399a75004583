#pragma once

#include "ui/FormSection.hpp"

#include <cstddef>
#include <string>
#include <vector>

namespace ui {

// Splits the text of a widget file into sections and raw properties. It knows nothing of widget
// types or value kinds. Throws FormError naming `sourceName` and the line for malformed text:
// unclosed sections, unterminated strings or comments, `=` or `{` inside a value, stray characters.
class FormReader {
public:
    static std::vector<FormSection> read(const std::string& text, const std::string& sourceName);

private:
    FormReader(const std::string& formText, const std::string& sourceName);

    std::vector<FormSection> readFile();
    FormSection readSection();
    void readBody(FormSection& section);
    std::string readWord();
    std::string readValue(const std::string& key);
    std::string readQuoted();
    void skipSpaceAndComments();
    bool skipComment();

    bool atEnd() const { return pos >= text.size(); }
    char peek(std::size_t ahead = 0) const;
    void advance();
    [[noreturn]] void fail(int problemLine, const std::string& problem) const;

    const std::string& text;
    const std::string& source;
    std::size_t pos = 0;
    int line = 1;
    int depth = 0; // sections open around the one being read
};

} // namespace ui
