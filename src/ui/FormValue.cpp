#include "ui/FormValue.hpp"

#include "ui/FormError.hpp"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <stdexcept>

namespace ui {

namespace {

std::string trim(const std::string& text) {
    const auto isSpace = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    const auto first = std::find_if_not(text.begin(), text.end(), isSpace);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), isSpace).base();
    return first < last ? std::string(first, last) : std::string();
}

std::string lowerCase(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

// Index just past the quoted string that starts at `start`, or npos when it does not end.
std::size_t endOfQuoted(const std::string& text, std::size_t start) {
    for (std::size_t i = start + 1; i < text.size(); ++i) {
        if (text[i] == '\\') {
            ++i;
        } else if (text[i] == '"') {
            return i + 1;
        }
    }
    return std::string::npos;
}

bool isQuoted(const std::string& text) {
    return text.size() >= 2 && text.front() == '"' && endOfQuoted(text, 0) == text.size();
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

std::optional<sf::Color> hexColor(const std::string& digits) {
    std::vector<int> values;
    for (char c : digits) {
        values.push_back(hexDigit(c));
        if (values.back() < 0) {
            return std::nullopt;
        }
    }
    auto channel = [&](std::size_t i) -> sf::Uint8 {
        if (values.size() <= 4) {
            return static_cast<sf::Uint8>(values[i] * 17);
        }
        return static_cast<sf::Uint8>(values[2 * i] * 16 + values[2 * i + 1]);
    };
    switch (values.size()) {
    case 3:
    case 6:
        return sf::Color(channel(0), channel(1), channel(2));
    case 4:
    case 8:
        return sf::Color(channel(0), channel(1), channel(2), channel(3));
    default:
        return std::nullopt;
    }
}

std::optional<sf::Color> namedColor(const std::string& name) {
    static const std::pair<const char*, sf::Color> kNames[] = {
        {"black", sf::Color::Black},
        {"white", sf::Color::White},
        {"red", sf::Color::Red},
        {"yellow", sf::Color::Yellow},
        {"green", sf::Color::Green},
        {"cyan", sf::Color::Cyan},
        {"blue", sf::Color::Blue},
        {"magenta", sf::Color::Magenta},
        {"transparent", sf::Color::Transparent},
    };
    for (const auto& [known, color] : kNames) {
        if (name == known) {
            return color;
        }
    }
    return std::nullopt;
}

} // namespace

FormValue::FormValue(std::string raw, std::string sourceName, int line)
    : rawText(std::move(raw)), source(std::move(sourceName)), lineNumber(line) {}

void FormValue::fail(const std::string& problem) const {
    throw FormError(source, lineNumber, problem);
}

std::string FormValue::decodeQuoted(const std::string& quoted) {
    std::string text;
    for (std::size_t i = 1; i + 1 < quoted.size(); ++i) {
        char c = quoted[i];
        if (c == '\\' && i + 2 < quoted.size()) {
            c = quoted[++i];
            c = c == 'n' ? '\n' : c == 't' ? '\t' : c;
        }
        text += c;
    }
    return text;
}

std::string FormValue::toString() const {
    std::string text;
    for (std::size_t i = 0; i < rawText.size();) {
        if (rawText[i] != '"') {
            text += rawText[i++];
            continue;
        }
        const std::size_t end = endOfQuoted(rawText, i);
        text += decodeQuoted(rawText.substr(i, end - i));
        i = end;
    }
    return text;
}

bool FormValue::toBool() const {
    const std::string word = lowerCase(trim(toString()));
    if (word == "true" || word == "yes" || word == "on" || word == "1") {
        return true;
    }
    if (word == "false" || word == "no" || word == "off" || word == "0") {
        return false;
    }
    fail("expected true or false, found '" + rawText + "'");
}

float FormValue::numberIn(const std::string& text) const {
    const std::string trimmed = trim(text);
    char* end = nullptr;
    const float value = std::strtof(trimmed.c_str(), &end);
    if (trimmed.empty() || *end != '\0' || !std::isfinite(value)) {
        fail("bad number '" + trimmed + "'");
    }
    return value;
}

float FormValue::toNumber() const {
    return numberIn(isQuoted(rawText) ? decodeQuoted(rawText) : rawText);
}

unsigned FormValue::toUnsigned(unsigned largest) const {
    const float value = toNumber();
    if (value < 0 || value != std::floor(value)) {
        fail("expected a whole number of 0 or more, found '" + rawText + "'");
    }
    if (value > static_cast<float>(largest)) {
        fail("expected at most " + std::to_string(largest) + ", found '" + rawText + "'");
    }
    return static_cast<unsigned>(value);
}

std::optional<sf::Color> FormValue::toColor() const {
    const std::string text = lowerCase(trim(toString()));
    if (text == "none") {
        return std::nullopt;
    }
    std::optional<sf::Color> color;
    if (!text.empty() && text[0] == '#') {
        color = hexColor(text.substr(1));
    } else if (text.rfind("rgb", 0) == 0) {
        const bool withAlpha = text.rfind("rgba", 0) == 0;
        const std::vector<std::string> parts = tupleParts(text.substr(withAlpha ? 4 : 3));
        if (parts.size() != (withAlpha ? 4u : 3u)) {
            fail("expected " + std::string(withAlpha ? "4" : "3") + " numbers in the colour '" + rawText +
                 "'");
        }
        sf::Uint8 channels[4] = {0, 0, 0, 255};
        for (std::size_t i = 0; i < parts.size(); ++i) {
            const float value = numberIn(parts[i]);
            if (value < 0 || value > 255) {
                fail("colour part '" + parts[i] + "' is not within 0 to 255");
            }
            channels[i] = static_cast<sf::Uint8>(std::lround(value));
        }
        color = sf::Color(channels[0], channels[1], channels[2], channels[3]);
    } else {
        color = namedColor(text);
    }
    if (!color) {
        fail("bad colour '" + rawText + "'");
    }
    return color;
}

Borders FormValue::toBorders() const {
    std::vector<float> widths;
    for (const std::string& part : tupleParts(rawText)) {
        widths.push_back(numberIn(part));
    }
    switch (widths.size()) {
    case 1:
        return {widths[0], widths[0], widths[0], widths[0]};
    case 2:
        return {widths[0], widths[1], widths[0], widths[1]};
    case 4:
        return {widths[0], widths[1], widths[2], widths[3]};
    default:
        fail("expected 1, 2 or 4 border widths, found '" + rawText + "'");
    }
}

sf::Vector2f FormValue::toVector(const LayoutExpression::Context& context) const {
    const std::vector<std::string> parts = tupleParts(rawText);
    if (parts.size() != 2) {
        fail("expected (x, y), found '" + rawText + "'");
    }
    float values[2];
    for (int i = 0; i < 2; ++i) {
        LayoutExpression::Context axis = context;
        axis.horizontal = i == 0;
        const std::string text = isQuoted(parts[i]) ? decodeQuoted(parts[i]) : parts[i];
        try {
            values[i] = LayoutExpression::evaluate(text, axis);
        } catch (const std::invalid_argument& error) {
            fail(error.what());
        }
    }
    return {values[0], values[1]};
}

std::optional<FormValue::TextureSource> FormValue::toTexture() const {
    const std::string text = trim(rawText);
    if (lowerCase(text) == "none") {
        return std::nullopt;
    }
    if (text.empty() || text[0] != '"') {
        fail("expected a quoted file name or None, found '" + rawText + "'");
    }
    TextureSource texture;
    std::size_t pos = endOfQuoted(text, 0);
    texture.file = decodeQuoted(text.substr(0, pos));
    for (;;) {
        while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos]))) {
            ++pos;
        }
        if (pos >= text.size()) {
            return texture;
        }
        const std::size_t wordStart = pos;
        while (pos < text.size() && std::isalpha(static_cast<unsigned char>(text[pos]))) {
            ++pos;
        }
        const std::string option = text.substr(wordStart, pos - wordStart);
        if (option == "Smooth" || option == "NoSmooth") {
            texture.smooth = option == "Smooth";
        } else if (option == "Part" && pos < text.size() && text[pos] == '(') {
            const std::size_t close = text.find(')', pos);
            if (close == std::string::npos) {
                fail("missing ')' after Part in '" + rawText + "'");
            }
            const std::vector<std::string> parts = tupleParts(text.substr(pos, close + 1 - pos));
            if (parts.size() != 4) {
                fail("expected Part(x, y, w, h) in '" + rawText + "'");
            }
            int numbers[4];
            for (int i = 0; i < 4; ++i) {
                numbers[i] = static_cast<int>(std::lround(numberIn(parts[i])));
            }
            texture.part = {numbers[0], numbers[1], numbers[2], numbers[3]};
            pos = close + 1;
        } else {
            fail("unsupported texture option '" + text.substr(wordStart) + "'");
        }
    }
}

std::string FormValue::toReference() const {
    const std::string text = trim(rawText);
    if (text.size() < 2 || text[0] != '&') {
        fail("expected '&<id>' naming a Renderer section, found '" + rawText + "'");
    }
    return trim(text.substr(1));
}

std::vector<std::string> FormValue::tupleParts(const std::string& text) const {
    std::string inner = trim(text);
    // Drop the outer brackets only when they enclose everything: "(1 + 2) * 3" keeps its own.
    if (inner.size() >= 2 && inner.front() == '(' && inner.back() == ')') {
        int depth = 0;
        bool enclosing = true;
        for (std::size_t i = 0; i + 1 < inner.size() && enclosing; ++i) {
            depth += inner[i] == '(' ? 1 : inner[i] == ')' ? -1 : 0;
            enclosing = depth > 0;
        }
        if (enclosing) {
            inner = inner.substr(1, inner.size() - 2);
        }
    }
    std::vector<std::string> parts(1);
    int depth = 0;
    for (std::size_t i = 0; i < inner.size(); ++i) {
        const char c = inner[i];
        if (c == '"') {
            const std::size_t end = endOfQuoted(inner, i);
            if (end == std::string::npos) {
                fail("unterminated string in '" + rawText + "'");
            }
            parts.back() += inner.substr(i, end - i);
            i = end - 1;
            continue;
        }
        depth += c == '(' ? 1 : c == ')' ? -1 : 0;
        if (c == ',' && depth == 0) {
            parts.emplace_back();
        } else {
            parts.back() += c;
        }
    }
    for (std::string& part : parts) {
        part = trim(part);
        if (part.empty()) {
            fail("empty part in '" + rawText + "'");
        }
    }
    return parts;
}

} // namespace ui
