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
    if (expression.m_pos != text.size())
        expression.fail("unexpected '" + text.substr(expression.m_pos, 1) + "'");
    return value;
}

LayoutExpression::LayoutExpression(const std::string& text, const Context& context)
    : m_text(text), m_context(context) {}

void LayoutExpression::fail(const std::string& problem) const {
    throw std::invalid_argument(problem + " in the layout '" + m_text + "'");
}

void LayoutExpression::skipSpace() {
    while (m_pos < m_text.size() && std::isspace(static_cast<unsigned char>(m_text[m_pos])))
        ++m_pos;
}

float LayoutExpression::sum() {
    float value = product();
    for (;;) {
        skipSpace();
        if (m_pos >= m_text.size() || (m_text[m_pos] != '+' && m_text[m_pos] != '-'))
            return value;
        const char op = m_text[m_pos++];
        const float right = product();
        value = op == '+' ? value + right : value - right;
    }
}

float LayoutExpression::product() {
    float value = factor();
    for (;;) {
        skipSpace();
        if (m_pos >= m_text.size() || (m_text[m_pos] != '*' && m_text[m_pos] != '/'))
            return value;
        const char op = m_text[m_pos++];
        const float right = factor();
        if (op == '/' && right == 0)
            fail("division by zero");
        value = op == '*' ? value * right : value / right;
    }
}

float LayoutExpression::factor() {
    skipSpace();
    if (m_pos >= m_text.size())
        fail("missing value");
    const char c = m_text[m_pos];
    if (c == '-' || c == '+' || c == '(') {
        // Each level recurses: an absurdly nested layout must not exhaust the stack.
        if (++m_depth > kMaxNesting)
            fail("brackets or signs nested more than " + std::to_string(kMaxNesting) + " deep");
        ++m_pos;
        const float value = c == '(' ? bracketed() : factor();
        --m_depth;
        return c == '-' ? -value : value;
    }
    if (std::isdigit(static_cast<unsigned char>(c)) || c == '.')
        return number();
    if (isNameChar(c))
        return name();
    fail("unexpected '" + std::string(1, c) + "'");
}

float LayoutExpression::bracketed() {
    const float value = sum();
    skipSpace();
    if (m_pos >= m_text.size() || m_text[m_pos] != ')')
        fail("missing ')'");
    ++m_pos;
    return value;
}

float LayoutExpression::number() {
    const char* start = m_text.c_str() + m_pos;
    char* end = nullptr;
    const float value = std::strtof(start, &end);
    if (end == start)
        fail("bad number");
    m_pos += static_cast<std::size_t>(end - start);
    if (m_pos < m_text.size() && m_text[m_pos] == '%') {
        ++m_pos;
        return value / 100.f * window(m_context.horizontal);
    }
    return value;
}

float LayoutExpression::name() {
    const std::size_t start = m_pos;
    while (m_pos < m_text.size() && isNameChar(m_text[m_pos]))
        ++m_pos;
    std::string word = m_text.substr(start, m_pos - start);
    const bool ofWindow = word.rfind("&.", 0) == 0 || word.rfind("parent.", 0) == 0;
    if (ofWindow)
        word = word.substr(word.find('.') + 1);
    const bool width = word == "w" || word == "width";
    const bool height = word == "h" || word == "height";
    if (!width && !height)
        fail("unsupported term '" + m_text.substr(start, m_pos - start) + "'");
    if (ofWindow)
        return window(width);
    if (!m_context.ownSize)
        fail("a size cannot depend on itself");
    return width ? m_context.ownSize->x : m_context.ownSize->y;
}

float LayoutExpression::window(bool horizontal) const {
    if (!m_context.windowSize)
        fail("the window's size is not known yet (set the GUI's target before loading)");
    return horizontal ? m_context.windowSize->x : m_context.windowSize->y;
}

} // namespace ui
