#include "storage/Settings.hpp"

#include "input/Gamepad.hpp"

#include <utility>

namespace {
const std::vector<std::pair<std::string, sf::Keyboard::Key>>& defaultBindings() {
    static const std::vector<std::pair<std::string, sf::Keyboard::Key>> bindings = {
        {"LEFT", sf::Keyboard::A},    {"RIGHT", sf::Keyboard::D}, {"UP", sf::Keyboard::W},
        {"DOWN", sf::Keyboard::S},    {"LAY", sf::Keyboard::E},   {"PAUSE", sf::Keyboard::Escape},
        {"RESTART", sf::Keyboard::R}, {"MENU", sf::Keyboard::Q},  {"SHOOT", sf::Keyboard::Space},
    };
    return bindings;
}
// A = 0, B = 1, X = 2, Y = 3, Back = 6, Start = 7.
const std::vector<std::pair<std::string, unsigned>>& defaultPadBindings() {
    static const std::vector<std::pair<std::string, unsigned>> bindings = {
        {"LAY", 0}, {"SHOOT", 2}, {"PAUSE", 7}, {"RESTART", 3}, {"MENU", 1}, {"ACCEPT", 0}, {"BACK", 1},
    };
    return bindings;
}
} // namespace

Settings::Settings() {
    for (const auto& [action, key] : defaultBindings()) {
        keys[action] = key;
    }
    for (const auto& [action, button] : defaultPadBindings()) {
        padButtons[action] = button;
    }
}

const std::vector<std::string>& Settings::padActions() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> list;
        for (const auto& binding : defaultPadBindings()) {
            list.push_back(binding.first);
        }
        return list;
    }();
    return names;
}

unsigned Settings::defaultPadButton(const std::string& action) {
    for (const auto& [name, button] : defaultPadBindings()) {
        if (name == action) {
            return button;
        }
    }
    return Gamepad::kNoPad;
}

unsigned Settings::padButton(const std::string& action) const {
    const auto found = padButtons.find(action);
    return found != padButtons.end() ? found->second : defaultPadButton(action);
}

const std::vector<std::string>& Settings::actions() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> list;
        for (const auto& binding : defaultBindings()) {
            list.push_back(binding.first);
        }
        return list;
    }();
    return names;
}

sf::Keyboard::Key Settings::defaultKey(const std::string& action) {
    for (const auto& [name, key] : defaultBindings()) {
        if (name == action) {
            return key;
        }
    }
    return sf::Keyboard::Unknown;
}

sf::Keyboard::Key Settings::key(const std::string& action) const {
    const auto found = keys.find(action);
    return found != keys.end() ? found->second : defaultKey(action);
}

bool Settings::keysAreDefault() const {
    for (const std::string& action : actions()) {
        if (key(action) != defaultKey(action)) {
            return false;
        }
    }
    return true;
}

std::string Settings::nameOf(Difficulty level) {
    switch (level) {
    case Difficulty::Easy:
        return "easy";
    case Difficulty::Hard:
        return "hard";
    default:
        return "normal";
    }
}

std::string Settings::titleOf(Difficulty level) {
    std::string title = nameOf(level);
    title[0] = static_cast<char>(title[0] - 'a' + 'A');
    return title;
}

const std::vector<Settings::Difficulty>& Settings::difficulties() {
    static const std::vector<Difficulty> levels = {Difficulty::Easy, Difficulty::Normal, Difficulty::Hard};
    return levels;
}

std::optional<Settings::Difficulty> Settings::difficultyNamed(const std::string& name) {
    for (const Difficulty level : difficulties()) {
        if (nameOf(level) == name) {
            return level;
        }
    }
    return std::nullopt;
}

bool Settings::operator==(const Settings& other) const {
    return audio == other.audio && musicVolume == other.musicVolume && effectsVolume == other.effectsVolume &&
           difficulty == other.difficulty && showSight == other.showSight && fullscreen == other.fullscreen &&
           windowSize == other.windowSize && keys == other.keys && padButtons == other.padButtons;
}
