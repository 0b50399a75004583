#include "ui/LayoutExpression.hpp"

#include <cctype>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace ui {

namespace {

constexpr int kMaxNesting = 64;

bool isNameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '&' || c == '.' || c == '_';
}

} // namespace

float LayoutExpression::evaluate(const std::string& text, const Context& context) {
    LayoutExpression expression(text, context);
    const float value = expression.sum();
    expression.skipSpace();
    if (expression.pos != text.size()) {
        expression.fail("unexpected '" + text.substr(expression.pos, 1) + "'");
    }
    return value;
}

LayoutExpression::LayoutExpression(const std::string& expressionText, const Context& givenContext)
    : text(expressionText), context(givenContext) {}

void LayoutExpression::fail(const std::string& problem) const {
    throw std::invalid_argument(problem + " in the layout '" + text + "'");
}

void LayoutExpression::skipSpace() {
    while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos]))) {
        ++pos;
    }
}

float LayoutExpression::sum() {
    float value = product();
    for (;;) {
        skipSpace();
        if (pos >= text.size() || (text[pos] != '+' && text[pos] != '-')) {
            return value;
        }
        const char op = text[pos++];
        const float right = product();
        value = op == '+' ? value + right : value - right;
    }
}

float LayoutExpression::product() {
    float value = factor();
    for (;;) {
        skipSpace();
        if (pos >= text.size() || (text[pos] != '*' && text[pos] != '/')) {
            return value;
        }
        const char op = text[pos++];
        const float right = factor();
        if (op == '/' && right == 0) {
            fail("division by zero");
        }
        value = op == '*' ? value * right : value / right;
    }
}

float LayoutExpression::factor() {
    skipSpace();
    if (pos >= text.size()) {
        fail("missing value");
    }
    const char c = text[pos];
    if (c == '-' || c == '+' || c == '(') {
        // Each level recurses: an absurdly nested layout must not exhaust the stack.
        if (++depth > kMaxNesting) {
            fail("brackets or signs nested more than " + std::to_string(kMaxNesting) + " deep");
        }
        ++pos;
        const float value = c == '(' ? bracketed() : factor();
        --depth;
        return c == '-' ? -value : value;
    }
    if (std::isdigit(static_cast<unsigned char>(c)) || c == '.') {
        return number();
    }
    if (isNameChar(c)) {
        return name();
    }
    fail("unexpected '" + std::string(1, c) + "'");
}

float LayoutExpression::bracketed() {
    const float value = sum();
    skipSpace();
    if (pos >= text.size() || text[pos] != ')') {
        fail("missing ')'");
    }
    ++pos;
    return value;
}

float LayoutExpression::number() {
    const char* start = text.c_str() + pos;
    char* end = nullptr;
    const float value = std::strtof(start, &end);
    if (end == start) {
        fail("bad number");
    }
    pos += static_cast<std::size_t>(end - start);
    if (pos < text.size() && text[pos] == '%') {
        ++pos;
        return value / 100.f * window(context.horizontal);
    }
    return value;
}

float LayoutExpression::name() {
    const std::size_t start = pos;
    while (pos < text.size() && isNameChar(text[pos])) {
        ++pos;
    }
    std::string word = text.substr(start, pos - start);
    const bool ofWindow = word.rfind("&.", 0) == 0 || word.rfind("parent.", 0) == 0;
    if (ofWindow) {
        word = word.substr(word.find('.') + 1);
    }
    const bool width = word == "w" || word == "width";
    const bool height = word == "h" || word == "height";
    if (!width && !height) {
        fail("unsupported term '" + text.substr(start, pos - start) + "'");
    }
    if (ofWindow) {
        return window(width);
    }
    if (!context.ownSize) {
        fail("a size cannot depend on itself");
    }
    return width ? context.ownSize->x : context.ownSize->y;
}

float LayoutExpression::window(bool horizontal) const {
    if (!context.windowSize) {
        fail("the window's size is not known yet (set the GUI's target before loading)");
    }
    return horizontal ? context.windowSize->x : context.windowSize->y;
}

} // namespace ui
