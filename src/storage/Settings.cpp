#include "storage/Settings.hpp"

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
// Where each pad action is read: one button may serve two actions only when no screen reads both (A lays in
// play and continues a paused level).
enum PadScreen : unsigned { kPlay = 1, kPaused = 2, kMenus = 4, kEnd = 8 };
unsigned screensOf(const std::string& action) {
    static const std::map<std::string, unsigned> screens = {
        {"LAY", kPlay},
        {"SHOOT", kPlay},
        {"PAUSE", kPlay | kPaused | kEnd},
        {"RESTART", kPlay | kPaused | kEnd},
        {"MENU", kPlay | kPaused},
        {"ACCEPT", kPaused | kMenus | kEnd},
        {"BACK", kMenus},
    };
    const auto found = screens.find(action);
    return found != screens.end() ? found->second : 0;
}

// SDL names the buttons by where an Xbox pad has them: A south, B east, X west, Y north.
const std::vector<std::pair<std::string, SDL_GameControllerButton>>& defaultPadBindings() {
    static const std::vector<std::pair<std::string, SDL_GameControllerButton>> bindings = {
        {"LAY", SDL_CONTROLLER_BUTTON_A},       {"SHOOT", SDL_CONTROLLER_BUTTON_X},
        {"PAUSE", SDL_CONTROLLER_BUTTON_START}, {"RESTART", SDL_CONTROLLER_BUTTON_Y},
        {"MENU", SDL_CONTROLLER_BUTTON_B},      {"ACCEPT", SDL_CONTROLLER_BUTTON_A},
        {"BACK", SDL_CONTROLLER_BUTTON_B},
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

SDL_GameControllerButton Settings::defaultPadButton(const std::string& action) {
    for (const auto& [name, button] : defaultPadBindings()) {
        if (name == action) {
            return button;
        }
    }
    return SDL_CONTROLLER_BUTTON_INVALID;
}

SDL_GameControllerButton Settings::padButton(const std::string& action) const {
    const auto found = padButtons.find(action);
    return found != padButtons.end() ? found->second : defaultPadButton(action);
}

std::string Settings::bindPadButton(const std::string& action, SDL_GameControllerButton button) {
    const SDL_GameControllerButton old = padButton(action);
    std::string swapped;
    for (const std::string& other : padActions()) {
        if (other != action && padButton(other) == button && (screensOf(other) & screensOf(action)) != 0) {
            padButtons[other] = old;
            swapped = other;
        }
    }
    padButtons[action] = button;
    return swapped;
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

bool Settings::operator==(const Settings& other) const {
    return audio == other.audio && musicVolume == other.musicVolume && effectsVolume == other.effectsVolume &&
           difficulty == other.difficulty && showSight == other.showSight && showGhost == other.showGhost &&
           fullscreen == other.fullscreen && windowSize == other.windowSize && keys == other.keys &&
           padButtons == other.padButtons && rumble == other.rumble;
}
