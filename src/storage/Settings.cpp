#include "storage/Settings.hpp"

#include "input/ActionTable.hpp"
#include "storage/SettingTable.hpp"

#include <utility>

Settings::Settings() {
    for (const ActionTable::Row& row : ActionTable::rows()) {
        if (!row.keys.empty()) {
            keys[row.name] = row.keys.front();
        }
        if (!row.buttons.empty()) {
            padButtons[row.name] = row.buttons.front();
        }
    }
}

const std::vector<std::string>& Settings::padActions() {
    return ActionTable::padActions();
}

SDL_GameControllerButton Settings::defaultPadButton(const std::string& action) {
    const ActionTable::Row* row = ActionTable::find(action);
    return row && !row->buttons.empty() ? row->buttons.front() : SDL_CONTROLLER_BUTTON_INVALID;
}

SDL_GameControllerButton Settings::padButton(const std::string& action) const {
    const auto found = padButtons.find(action);
    return found != padButtons.end() ? found->second : defaultPadButton(action);
}

std::string Settings::bindPadButton(const std::string& action, SDL_GameControllerButton button) {
    const SDL_GameControllerButton old = padButton(action);
    std::string swapped;
    for (const std::string& other : padActions()) {
        if (other != action && padButton(other) == button && ActionTable::shareAScreen(other, action)) {
            padButtons[other] = old;
            swapped = other;
        }
    }
    padButtons[action] = button;
    return swapped;
}

const std::vector<std::string>& Settings::actions() {
    return ActionTable::keyActions();
}

sf::Keyboard::Key Settings::defaultKey(const std::string& action) {
    const ActionTable::Row* row = ActionTable::find(action);
    return row && !row->keys.empty() ? row->keys.front() : sf::Keyboard::Unknown;
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
    for (const SettingTable::Row& row : SettingTable::rows()) {
        if (row.get(*this) != row.get(other)) {
            return false;
        }
    }
    return keys == other.keys && padButtons == other.padButtons;
}
