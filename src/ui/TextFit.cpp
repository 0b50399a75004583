#include "ui/TextFit.hpp"

#include <SFML/Graphics/Text.hpp>
#include <algorithm>

namespace ui {

float TextFit::widthOf(const std::string& utf8, const sf::Font& font, unsigned size) {
    const sf::Text text(sf::String::fromUtf8(utf8.begin(), utf8.end()), font, size);
    return text.findCharacterPos(text.getString().getSize()).x;
}

unsigned TextFit::sizeToFit(const std::string& utf8, const sf::Font& font, unsigned largest,
                            unsigned smallest, float width) {
    unsigned size = largest;
    while (size > smallest && widthOf(utf8, font, size) > width) {
        --size;
    }
    return size;
}

std::string TextFit::wrap(const std::vector<std::string>& pieces, const std::string& gap,
                          const sf::Font& font, unsigned size, float width) {
    std::string text;
    std::string line;
    for (const std::string& piece : pieces) {
        const std::string longer = line.empty() ? piece : line + gap + piece;
        if (line.empty() || widthOf(longer, font, size) <= width) {
            line = longer;
            continue;
        }
        text += (text.empty() ? "" : "\n") + line;
        line = piece;
    }
    if (!line.empty()) {
        text += (text.empty() ? "" : "\n") + line;
    }
    return text;
}

std::string TextFit::wrapEvenly(const std::vector<std::string>& pieces, const std::string& gap,
                                const sf::Font& font, unsigned size, float width) {
    const auto lineCount = [](const std::string& text) { return std::count(text.begin(), text.end(), '\n'); };
    std::string best = wrap(pieces, gap, font, size, width);
    const auto lines = lineCount(best);
    // The narrowest width that still needs no more lines, found to a pixel.
    float wide = width;
    float narrow = 0.0f;
    while (lines > 0 && wide - narrow > 1.0f) {
        const float middle = (wide + narrow) / 2.0f;
        std::string tried = wrap(pieces, gap, font, size, middle);
        if (lineCount(tried) == lines) {
            wide = middle;
            best = std::move(tried);
        } else {
            narrow = middle;
        }
    }
    return best;
}

} // namespace ui
