#include "storage/PrintableText.hpp"

std::size_t PrintableText::letterAt(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    const std::size_t length = lead < 0x80                   ? 1
                               : lead >= 0xC2 && lead < 0xE0 ? 2
                               : lead >= 0xE0 && lead < 0xF0 ? 3
                               : lead >= 0xF0 && lead < 0xF5 ? 4
                                                             : 0;
    if (length == 0 || at + length > text.size()) {
        return 0;
    }
    char32_t letter = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) {
            return 0;
        }
        letter = (letter << 6) | (byte(at + i) & 0x3F);
    }
    const char32_t shortest[] = {0, 0, 0x80, 0x800, 0x10000};
    const bool wellFormed =
        letter >= shortest[length] && letter <= 0x10FFFF && (letter < 0xD800 || letter > 0xDFFF);
    const bool control =
        letter < 0x20 || (letter >= 0x7F && letter < 0xA0) || letter == 0x2028 || letter == 0x2029;
    return wellFormed && !control ? length : 0;
}

std::string PrintableText::forTerminal(std::string_view text, std::size_t longest) {
    std::string shown;
    std::size_t at = 0;
    while (at < text.size() && shown.size() < longest) {
        const std::size_t length = letterAt(text, at);
        if (length > 0) {
            shown.append(text.substr(at, length));
            at += length;
            continue;
        }
        static const char digits[] = "0123456789abcdef";
        const auto value = static_cast<unsigned char>(text[at++]);
        shown += {'\\', 'x', digits[value >> 4], digits[value & 0xF]};
    }
    return at < text.size() ? shown + "..." : shown;
}
