#include "app/Settings.hpp"

#include <utility>

namespace {
const std::vector<std::pair<std::string, sf::Keyboard::Key>>& defaultBindings() {
    static const std::vector<std::pair<std::string, sf::Keyboard::Key>> bindings = {
        {"LEFT", sf::Keyboard::A},    {"RIGHT", sf::Keyboard::D}, {"UP", sf::Keyboard::W},
        {"DOWN", sf::Keyboard::S},    {"LAY", sf::Keyboard::E},   {"PAUSE", sf::Keyboard::Escape},
        {"RESTART", sf::Keyboard::R}, {"MENU", sf::Keyboard::Q},
    };
    return bindings;
}
} // namespace

Settings::Settings() {
    for (const auto& [action, key] : defaultBindings()) {
        keys[action] = key;
    }
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

std::optional<Settings::Difficulty> Settings::difficultyNamed(const std::string& name) {
    for (const Difficulty level : {Difficulty::Easy, Difficulty::Normal, Difficulty::Hard}) {
        if (nameOf(level) == name) {
            return level;
        }
    }
    return std::nullopt;
}

bool Settings::operator==(const Settings& other) const {
    return audio == other.audio && musicVolume == other.musicVolume && effectsVolume == other.effectsVolume &&
           difficulty == other.difficulty && fullscreen == other.fullscreen &&
           windowSize == other.windowSize && keys == other.keys;
}
