#include "i18n/PseudoText.hpp"

#include <cstring>
#include <sstream>

namespace {
// Every plain letter with an accented twin in Latin-1, which every font of ours draws.
const char kPlain[] = "aceinouyAEINOU";
const char* const kAccented[] = {"à", "ç", "é", "î", "ñ", "ö", "ü", "ý", "Å", "É", "Î", "Ñ", "Ö", "Ü"};
// How much longer a text grows, as translations often do.
const double kGrowth = 0.4;

std::string stretchLine(const std::string& line) {
    std::string out = "[";
    std::size_t letters = 0;
    bool inPlaceholder = false;
    for (const char c : line) {
        inPlaceholder = c == '{' || (inPlaceholder && c != '}');
        const char* plain = c != '\0' && !inPlaceholder ? std::strchr(kPlain, c) : nullptr;
        if (plain) {
            out += kAccented[plain - kPlain];
        } else {
            out += c;
        }
        // Continuation bytes of a letter already there count with its first byte.
        letters += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    const auto padding = static_cast<std::size_t>(static_cast<double>(letters) * kGrowth + 0.5);
    if (padding > 2) {
        out += " " + std::string(padding - 2, '~');
    }
    return out + "]";
}
} // namespace

std::string PseudoText::stretch(const std::string& english) {
    std::string out;
    std::istringstream lines(english);
    std::string line;
    bool first = true;
    while (std::getline(lines, line)) {
        out += (first ? "" : "\n") + (line.empty() ? line : stretchLine(line));
        first = false;
    }
    if (!english.empty() && english.back() == '\n') {
        out += "\n";
    }
    return out;
}

bool PseudoText::isStretched(const std::string& shown) {
    std::istringstream lines(shown);
    bool any = false;
    for (std::string line; std::getline(lines, line);) {
        if (line.empty()) {
            continue;
        }
        if (line.front() != '[' || line.back() != ']') {
            return false;
        }
        any = true;
    }
    return any;
}
