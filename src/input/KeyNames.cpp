#include "input/KeyNames.hpp"

#include "i18n/Translator.hpp"

namespace {
using K = sf::Keyboard;

struct NamedKey {
    sf::Keyboard::Key key;
    const char* name;
};

// Letters and digits are generated below; this holds every other key a player may bind.
const NamedKey kOtherKeys[] = {
    {K::Escape, "Escape"},
    {K::LControl, "LControl"},
    {K::LShift, "LShift"},
    {K::LAlt, "LAlt"},
    {K::LSystem, "LSystem"},
    {K::RControl, "RControl"},
    {K::RShift, "RShift"},
    {K::RAlt, "RAlt"},
    {K::RSystem, "RSystem"},
    {K::Menu, "Menu"},
    {K::LBracket, "LBracket"},
    {K::RBracket, "RBracket"},
    {K::Semicolon, "Semicolon"},
    {K::Comma, "Comma"},
    {K::Period, "Period"},
    {K::Quote, "Quote"},
    {K::Slash, "Slash"},
    {K::Backslash, "Backslash"},
    {K::Tilde, "Tilde"},
    {K::Equal, "Equal"},
    {K::Hyphen, "Hyphen"},
    {K::Space, "Space"},
    {K::Enter, "Enter"},
    {K::Backspace, "Backspace"},
    {K::Tab, "Tab"},
    {K::PageUp, "PageUp"},
    {K::PageDown, "PageDown"},
    {K::End, "End"},
    {K::Home, "Home"},
    {K::Insert, "Insert"},
    {K::Delete, "Delete"},
    {K::Add, "Add"},
    {K::Subtract, "Subtract"},
    {K::Multiply, "Multiply"},
    {K::Divide, "Divide"},
    {K::Left, "Left"},
    {K::Right, "Right"},
    {K::Up, "Up"},
    {K::Down, "Down"},
    {K::Pause, "Pause"},
    {K::Numpad0, "Numpad0"},
    {K::Numpad1, "Numpad1"},
    {K::Numpad2, "Numpad2"},
    {K::Numpad3, "Numpad3"},
    {K::Numpad4, "Numpad4"},
    {K::Numpad5, "Numpad5"},
    {K::Numpad6, "Numpad6"},
    {K::Numpad7, "Numpad7"},
    {K::Numpad8, "Numpad8"},
    {K::Numpad9, "Numpad9"},
    {K::F1, "F1"},
    {K::F2, "F2"},
    {K::F3, "F3"},
    {K::F4, "F4"},
    {K::F5, "F5"},
    {K::F6, "F6"},
};
// F7 to F15 follow F6 in SFML's numbering, as A to Z and Num0 to Num9 follow their first.
const int kLastFunctionKey = 15;
const int kFirstGeneratedFunctionKey = 7;
} // namespace

std::string KeyNames::nameOf(sf::Keyboard::Key key) {
    if (key >= K::A && key <= K::Z) {
        return std::string(1, static_cast<char>('A' + (key - K::A)));
    }
    if (key >= K::Num0 && key <= K::Num9) {
        return "Num" + std::to_string(key - K::Num0);
    }
    if (key >= K::F7 && key <= K::F15) {
        return "F" + std::to_string(kFirstGeneratedFunctionKey + (key - K::F7));
    }
    for (const NamedKey& named : kOtherKeys) {
        if (named.key == key) {
            return named.name;
        }
    }
    return {};
}

std::optional<sf::Keyboard::Key> KeyNames::keyNamed(const std::string& name) {
    if (name.size() == 1 && name[0] >= 'A' && name[0] <= 'Z') {
        return static_cast<sf::Keyboard::Key>(K::A + (name[0] - 'A'));
    }
    if (name.size() == 4 && name.compare(0, 3, "Num") == 0 && name[3] >= '0' && name[3] <= '9') {
        return static_cast<sf::Keyboard::Key>(K::Num0 + (name[3] - '0'));
    }
    for (int number = kFirstGeneratedFunctionKey; number <= kLastFunctionKey; ++number) {
        if (name == "F" + std::to_string(number)) {
            return static_cast<sf::Keyboard::Key>(K::F7 + (number - kFirstGeneratedFunctionKey));
        }
    }
    for (const NamedKey& named : kOtherKeys) {
        if (name == named.name) {
            return named.key;
        }
    }
    return std::nullopt;
}

std::string KeyNames::keptByTheGame(sf::Keyboard::Key key) {
    // TRANSLATORS: {1} is the key ("F11").
    return key == K::F11 ? N_("{1} switches between the window and fullscreen") : "";
}
