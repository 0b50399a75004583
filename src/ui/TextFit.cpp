#include "ui/TextFit.hpp"

#include <SFML/Graphics/Text.hpp>

namespace ui {

float TextFit::widthOf(const std::string& utf8, const sf::Font& font, unsigned size) {
    const sf::Text text(sf::String::fromUtf8(utf8.begin(), utf8.end()), font, size);
    return text.findCharacterPos(text.getString().getSize()).x;
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

} // namespace ui
