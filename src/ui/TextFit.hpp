#pragma once

#include <SFML/Graphics/Font.hpp>
#include <string>
#include <vector>

namespace ui {

// Lays short pieces of text (UTF-8) out in as few lines as fit a width, for hints that must stay inside
// the picture whatever the player bound.
class TextFit {
public:
    // The pieces in order, `gap` between pieces on a line and a line break where the next one would pass
    // `width`; a piece wider than `width` alone gets a line of its own.
    static std::string wrap(const std::vector<std::string>& pieces, const std::string& gap,
                            const sf::Font& font, unsigned size, float width);
    // As wrap, in as few lines, but with the lines as even as they can be: a strip of keys never leaves
    // one piece alone on its last line when the others can share it.
    static std::string wrapEvenly(const std::vector<std::string>& pieces, const std::string& gap,
                                  const sf::Font& font, unsigned size, float width);
    // The width of one line of UTF-8 text as drawn.
    static float widthOf(const std::string& utf8, const sf::Font& font, unsigned size);
    // The largest letter size, from `largest` down to `smallest`, at which one line of text fits `width`.
    static unsigned sizeToFit(const std::string& utf8, const sf::Font& font, unsigned largest,
                              unsigned smallest, float width);
};

} // namespace ui
