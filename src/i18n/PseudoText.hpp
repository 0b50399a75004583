#pragma once

#include <string>

// The pseudo language's words: the English made about 40 % longer, with accented letters, between
// brackets, so a text that runs out of its box or was never looked up in the catalog shows at a glance.
class PseudoText {
public:
    // "[Bàçk ~~]" from "Back". Placeholders ("{1}") and line breaks stay as they are; each line is
    // bracketed on its own, so a text split into lines still carries the marks.
    static std::string stretch(const std::string& english);
    // Whether a shown text came through stretch: every line between the brackets.
    static bool isStretched(const std::string& shown);
};
