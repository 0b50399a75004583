#include "TextCatalog.hpp"

#include <SFML/System/Err.hpp>
#include <algorithm>
#include <fstream>
#include <rapidxml/rapidxml.hpp>
#include <regex>
#include <sstream>

namespace levelstrings {

namespace {
using Node = rapidxml::xml_node<>;

std::string attribute(const Node& node, const char* name) {
    const rapidxml::xml_attribute<>* found = node.first_attribute(name);
    return found ? std::string(found->value(), found->value_size()) : std::string();
}

// Tiled writes a one-line value as an attribute and a text with line breaks as the element's content.
std::string propertyValue(const Node& property) {
    if (property.first_attribute("value")) {
        return attribute(property, "value");
    }
    return std::string(property.value(), property.value_size());
}

std::string readWhole(const std::string& path, bool& ok) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    ok = static_cast<bool>(in);
    return text.str();
}

// A PO string: quoted, escaped, and split after each line break as msgmerge writes it.
std::string quoted(const std::string& text) {
    std::string out =
        text.find('\n') != std::string::npos && text.find('\n') + 1 < text.size() ? "\"\"\n\"" : "\"";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += i + 1 < text.size() ? "\\n\"\n\"" : "\\n";
        } else if (c != '\r') {
            out += c;
        }
    }
    return out + "\"";
}
} // namespace

void TextCatalog::add(const std::string& text, const std::string& note, const std::string& file) {
    if (text.empty()) {
        return;
    }
    auto found =
        std::find_if(entries.begin(), entries.end(), [&](const Entry& entry) { return entry.text == text; });
    if (found == entries.end()) {
        entries.push_back({text, note, {file}});
    } else if (std::find(found->files.begin(), found->files.end(), file) == found->files.end()) {
        found->files.push_back(file);
    }
}

bool TextCatalog::addLevel(const std::string& path) {
    bool ok = false;
    std::string text = readWhole(path, ok);
    rapidxml::xml_document<> document;
    try {
        document.parse<rapidxml::parse_default>(text.data());
    } catch (const rapidxml::parse_error& error) {
        ok = false;
    }
    const Node* map = ok ? document.first_node("map") : nullptr;
    if (!map) {
        sf::err() << path << ": not a Tiled map that can be read" << std::endl;
        return false;
    }
    if (const Node* properties = map->first_node("properties")) {
        for (const Node* property = properties->first_node("property"); property;
             property = property->next_sibling("property")) {
            const std::string name = attribute(*property, "name");
            if (name == "name") {
                add(propertyValue(*property), "TRANSLATORS: a level's name, in the level list and its title",
                    path);
            } else if (name == "intro") {
                add(propertyValue(*property), "TRANSLATORS: the words shown as a level begins", path);
            }
        }
    }
    for (const Node* group = map->first_node("objectgroup"); group;
         group = group->next_sibling("objectgroup")) {
        for (const Node* object = group->first_node("object"); object;
             object = object->next_sibling("object")) {
            const Node* properties = object->first_node("properties");
            for (const Node* property = properties ? properties->first_node("property") : nullptr; property;
                 property = property->next_sibling("property")) {
                if (attribute(*property, "name") == "text") {
                    add(propertyValue(*property),
                        "TRANSLATORS: a hint the level shows where the player walks", path);
                }
            }
        }
    }
    return true;
}

bool TextCatalog::addForm(const std::string& path) {
    std::ifstream in(path);
    if (!in) {
        sf::err() << path << ": cannot be read" << std::endl;
        return false;
    }
    const std::regex textEntry(R"re(^\s*Text\s*=\s*"((?:[^"\\]|\\.)*)"\s*;)re");
    for (std::string line; std::getline(in, line);) {
        std::smatch match;
        if (std::regex_search(line, match, textEntry)) {
            add(match[1].str(), "TRANSLATORS: a menu button; it must fit its box of about 18 letters", path);
        }
    }
    return true;
}

void TextCatalog::write(std::ostream& out) const {
    out << "msgid \"\"\nmsgstr \"\"\n\"Content-Type: text/plain; charset=UTF-8\\n\"\n";
    for (const Entry& entry : entries) {
        out << "\n#. " << entry.note << "\n#:";
        for (const std::string& file : entry.files) {
            out << " " << file;
        }
        out << "\nmsgid " << quoted(entry.text) << "\nmsgstr \"\"\n";
    }
}

} // namespace levelstrings
