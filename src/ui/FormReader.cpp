#include "ui/FormReader.hpp"

#include "ui/FormError.hpp"
#include "ui/FormValue.hpp"

#include <cctype>
#include <cstring>

namespace ui {

namespace {

constexpr int kMaxNesting = 16;

bool isSpace(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

// Words stop at white space, at the format's punctuation and at a quote; '.' splits "Type.Name".
bool endsWord(char c) {
    return isSpace(c) || std::strchr("=;:{}.\"", c) != nullptr;
}

std::string quote(char c) {
    return std::string("'") + c + "'";
}

} // namespace

std::vector<FormSection> FormReader::read(const std::string& text, const std::string& sourceName) {
    return FormReader(text, sourceName).readFile();
}

FormReader::FormReader(const std::string& formText, const std::string& sourceName)
    : text(formText), source(sourceName) {}

char FormReader::peek(std::size_t ahead) const {
    return pos + ahead < text.size() ? text[pos + ahead] : '\0';
}

void FormReader::advance() {
    if (text[pos] == '\n') {
        ++line;
    }
    ++pos;
}

void FormReader::fail(int problemLine, const std::string& problem) const {
    throw FormError(source, problemLine, problem);
}

std::vector<FormSection> FormReader::readFile() {
    std::vector<FormSection> sections;
    for (;;) {
        skipSpaceAndComments();
        if (atEnd()) {
            return sections;
        }
        sections.push_back(readSection());
    }
}

FormSection FormReader::readSection() {
    // Nested sections recurse: an absurdly deep file must not exhaust the stack.
    if (++depth > kMaxNesting) {
        fail(line, "sections nested more than " + std::to_string(kMaxNesting) + " deep");
    }
    FormSection section;
    section.line = line;
    section.type = readWord();
    if (section.type.empty()) {
        fail(line, "expected a section, found " + quote(peek()));
    }
    if (peek() == '.') {
        advance();
        section.name = peek() == '"' ? FormValue::decodeQuoted(readQuoted()) : readWord();
        if (section.name.empty()) {
            fail(line, "expected a name after '" + section.type + ".'");
        }
    }
    skipSpaceAndComments();
    if (peek() != '{') {
        fail(line, "expected '{' after '" + section.header() + "'");
    }
    advance();
    readBody(section);
    --depth;
    return section;
}

void FormReader::readBody(FormSection& section) {
    for (;;) {
        skipSpaceAndComments();
        if (atEnd()) {
            fail(section.line, "section '" + section.header() + "' is not closed with '}'");
        }
        if (peek() == '}') {
            advance();
            skipSpaceAndComments();
            if (peek() == ';') {
                advance();
            }
            return;
        }
        const std::size_t keyPos = pos;
        const int keyLine = line;
        const std::string key = readWord();
        if (key.empty()) {
            fail(line, "unexpected " + quote(peek()) + " in '" + section.header() + "'");
        }
        skipSpaceAndComments();
        if (peek() == '=') {
            advance();
            section.properties[key] = {readValue(key), keyLine};
        } else if (peek() == '{' || peek() == '.') {
            pos = keyPos;
            line = keyLine;
            section.sections.push_back(readSection());
        } else {
            fail(line, "expected '=' after '" + key + "'");
        }
    }
}

std::string FormReader::readWord() {
    const std::size_t start = pos;
    while (!atEnd() && !endsWord(peek())) {
        advance();
    }
    return text.substr(start, pos - start);
}

std::string FormReader::readValue(const std::string& key) {
    std::string value;
    bool spacePending = false;
    auto append = [&](const std::string& piece) {
        if (spacePending && !value.empty()) {
            value += ' ';
        }
        spacePending = false;
        value += piece;
    };
    // At the end of the text the section's own check reports what is missing.
    while (!atEnd()) {
        const char c = peek();
        if (c == ';') {
            advance();
            break;
        }
        if (c == '}') {
            break;
        }
        if (c == '=' || c == '{') {
            fail(line, quote(c) + " inside the value of '" + key + "'");
        }
        if (c == '"') {
            append(readQuoted());
        } else if (isSpace(c) || skipComment()) {
            spacePending = true;
            if (isSpace(c)) {
                advance();
            }
        } else {
            append(std::string(1, c));
            advance();
        }
    }
    return value;
}

std::string FormReader::readQuoted() {
    const std::size_t start = pos;
    const int startLine = line;
    advance();
    while (!atEnd() && peek() != '"') {
        if (peek() == '\\' && pos + 1 < text.size()) {
            advance();
        }
        advance();
    }
    if (atEnd()) {
        fail(startLine, "unterminated string");
    }
    advance();
    return text.substr(start, pos - start);
}

bool FormReader::skipComment() {
    if (peek() != '/' || (peek(1) != '/' && peek(1) != '*')) {
        return false;
    }
    const int startLine = line;
    if (peek(1) == '/') {
        while (!atEnd() && peek() != '\n') {
            advance();
        }
        return true;
    }
    advance();
    advance();
    while (!atEnd() && !(peek() == '*' && peek(1) == '/')) {
        advance();
    }
    if (atEnd()) {
        fail(startLine, "unterminated comment");
    }
    advance();
    advance();
    return true;
}

void FormReader::skipSpaceAndComments() {
    while (!atEnd()) {
        if (isSpace(peek())) {
            advance();
        } else if (!skipComment()) {
            return;
        }
    }
}

} // namespace ui
