#pragma once

#include "ui/LayoutExpression.hpp"
#include "ui/Renderer.hpp"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/System/Vector2.hpp>
#include <optional>
#include <string>
#include <vector>

namespace ui {

// The raw text of one property, with where it was written, and its readings as the value kinds of
// widget files. Every reading throws FormError "<file>:<line>: <problem>" when the text does not fit.
class FormValue {
public:
    // The file a texture value names and how to sample it.
    struct TextureSource {
        std::string file;
        sf::IntRect part; // empty: the whole image
        bool smooth = false;
    };

    FormValue(std::string raw, std::string sourceName, int line);

    const std::string& raw() const { return rawText; }
    int line() const { return lineNumber; }

    // Quoted parts decoded, bare words as written.
    std::string toString() const;
    bool toBool() const;
    float toNumber() const;
    // A whole number from 0 to `largest`.
    unsigned toUnsigned(unsigned largest) const;
    // Empty for `None`.
    std::optional<sf::Color> toColor() const;
    Borders toBorders() const;
    // `(x, y)`, each part a number or layout expression, optionally quoted.
    sf::Vector2f toVector(const LayoutExpression::Context& context) const;
    // Empty for `None`.
    std::optional<TextureSource> toTexture() const;
    // The id of a `&id` reference.
    std::string toReference() const;

    [[noreturn]] void fail(const std::string& problem) const;

    // A quoted string's contents: \n and \t decoded, \x for any other x is x.
    static std::string decodeQuoted(const std::string& quoted);

private:
    float numberIn(const std::string& text) const;
    // The comma-separated parts of "(a, b, ...)" (brackets optional), split outside quotes and brackets.
    std::vector<std::string> tupleParts(const std::string& text) const;

    std::string rawText;
    std::string source;
    int lineNumber;
};

} // namespace ui
