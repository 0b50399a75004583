#pragma once

#include <SFML/System/Vector2.hpp>
#include <cstddef>
#include <optional>
#include <string>

namespace ui {

// Evaluates one coordinate of a Position or Size: numbers, `N%` of the window's size along the
// coordinate's axis, the window's size (`&.w`, `&.width`, `&.h`, `&.height`, also with `parent.`),
// the widget's own size (`w`, `width`, `h`, `height`; only in a Position), `+ - * /` and brackets.
// Throws std::invalid_argument with a one-line reason for anything else.
class LayoutExpression {
public:
    struct Context {
        std::optional<sf::Vector2f> windowSize; // unknown when the GUI has no target yet
        std::optional<sf::Vector2f> ownSize;    // unknown while the size itself is being worked out
        bool horizontal = true;
    };

    static float evaluate(const std::string& text, const Context& context);

private:
    LayoutExpression(const std::string& expressionText, const Context& givenContext);

    float sum();
    float product();
    float factor();
    float bracketed();
    float number();
    float name();
    float window(bool horizontal) const;
    void skipSpace();
    [[noreturn]] void fail(const std::string& problem) const;

    const std::string& text;
    const Context& context;
    std::size_t pos = 0;
    int depth = 0; // brackets and signs open around the current term
};

} // namespace ui
