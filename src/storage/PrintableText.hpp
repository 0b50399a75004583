#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Text from a file of the player's, checked letter by letter before it is kept or shown: a terminal takes
// control bytes for commands, and a line or a key must stay one line.
class PrintableText {
public:
    // How many bytes the letter at `at` takes when they are well-formed UTF-8 and the letter is one a line
    // of text may hold; 0 for a control character, a line or paragraph separator, or bytes that are no
    // letter.
    static std::size_t letterAt(std::string_view text, std::size_t at);
    // `text` for a line on the terminal: each byte that is not part of such a letter is written "\xNN", and
    // after `longest` bytes of it the rest is left out for "...".
    static std::string forTerminal(std::string_view text, std::size_t longest);
};
