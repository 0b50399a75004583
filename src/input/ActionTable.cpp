#include "input/ActionTable.hpp"

#include <algorithm>
#include <utility>

namespace {
using Key = sf::Keyboard;
using T = ActionTable;

// SDL names the buttons by where an Xbox pad has them: A south, B east, X west, Y north. A lays in play
// and continues a paused level: no screen reads both.
std::vector<T::Row> moveAndPlayRows() {
    return {
        {"LEFT", {Key::A}, {}, T::kPlay, "move left", "Move left", "Left", "Move", "{key} left"},
        {"RIGHT", {Key::D}, {}, T::kPlay, "move right", "Move right", "Right", "Move", "{key} right"},
        {"UP", {Key::W}, {}, T::kPlay, "move up", "Move up", "Up", "Move", "{key} up"},
        {"DOWN", {Key::S}, {}, T::kPlay, "move down", "Move down", "Down", "Move", "{key} down"},
        {"LAY",
         {Key::E},
         {SDL_CONTROLLER_BUTTON_A},
         T::kPlay,
         "lay the last egg you picked up",
         "Lay an egg",
         "Lay",
         "Lay an egg",
         "{key} drops one of the eggs you carry"},
        {"SHOOT",
         {Key::Space},
         {SDL_CONTROLLER_BUTTON_X},
         T::kPlay,
         "shoot every armed egg the way you last moved; also leaves the end screen",
         "Shoot the eggs",
         "Shoot",
         "Shoot the armed eggs",
         "{key}: the way you last moved; mouse button: at the pointer"},
    };
}

std::vector<T::Row> pauseAndMenuRows() {
    return {
        {"PAUSE",
         {Key::Escape},
         {SDL_CONTROLLER_BUTTON_START},
         T::kPlay | T::kPaused | T::kEnd,
         "pause or resume the level; leave the controls or credits screen",
         "Pause and go on",
         "Pause",
         "Pause and go back",
         "{key} pauses the level and leaves this screen"},
        {"RESTART",
         {Key::R},
         {SDL_CONTROLLER_BUTTON_Y},
         T::kPlay | T::kPaused | T::kEnd,
         "while paused or on the end screen: start the level again",
         "Restart (paused)",
         "Restart",
         "While paused",
         "{key} restarts the level"},
        {"MENU",
         {Key::Q},
         {SDL_CONTROLLER_BUTTON_B},
         T::kPlay | T::kPaused,
         "while paused: back to the menu",
         "Menu (paused)",
         "Menu",
         "While paused",
         "{key} goes back to the menu"},
        {"ACCEPT",
         {},
         {SDL_CONTROLLER_BUTTON_A},
         T::kPaused | T::kMenus | T::kEnd,
         "in the menus: choose; while paused: go on",
         "Menus: choose",
         "Accept",
         "Menus",
         "Enter or Space choose"},
        {"BACK",
         {},
         {SDL_CONTROLLER_BUTTON_B},
         T::kMenus,
         "in the menus: go back",
         "Menus: back",
         "Back",
         "Menus",
         "Escape goes back"},
    };
}

std::vector<T::Row> makeRows() {
    std::vector<T::Row> rows = moveAndPlayRows();
    for (T::Row& row : pauseAndMenuRows()) {
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<std::string> namesWhere(bool (*has)(const T::Row&)) {
    std::vector<std::string> names;
    for (const T::Row& row : T::rows()) {
        if (has(row)) {
            names.push_back(row.name);
        }
    }
    return names;
}
} // namespace

const std::vector<ActionTable::Row>& ActionTable::rows() {
    static const std::vector<Row> table = makeRows();
    return table;
}

const ActionTable::Row* ActionTable::find(const std::string& name) {
    const auto& table = rows();
    const auto found =
        std::find_if(table.begin(), table.end(), [&](const Row& row) { return row.name == name; });
    return found != table.end() ? &*found : nullptr;
}

const std::vector<std::string>& ActionTable::keyActions() {
    static const std::vector<std::string> names =
        namesWhere([](const Row& row) { return !row.keys.empty(); });
    return names;
}

const std::vector<std::string>& ActionTable::padActions() {
    static const std::vector<std::string> names =
        namesWhere([](const Row& row) { return !row.buttons.empty(); });
    return names;
}

bool ActionTable::shareAScreen(const std::string& one, const std::string& other) {
    const Row* first = find(one);
    const Row* second = find(other);
    return first && second && (first->padScreens & second->padScreens) != 0;
}
