#include "input/ActionTable.hpp"

#include "i18n/Translator.hpp"

#include <algorithm>
#include <utility>

namespace {
using Key = sf::Keyboard;
using T = ActionTable;

// SDL names the buttons by where an Xbox pad has them: A south, B east, X west, Y north. A lays in play
// and continues a paused level: no screen reads both.
std::vector<T::Row> moveAndPlayRows() {
    // TRANSLATORS: every action has words for --help (lower case), the Controls screen, an Options button
    // (about 10 letters, shown as "Left: A"), the Controls picture's row title and its line there; {key}
    // is the key's name.
    return {
        {"LEFT",
         {Key::A},
         {},
         T::kPlay,
         N_("move left"),
         N_("Move left"),
         N_("Left"),
         N_("Move"),
         N_("{key} left")},
        {"RIGHT",
         {Key::D},
         {},
         T::kPlay,
         N_("move right"),
         N_("Move right"),
         N_("Right"),
         N_("Move"),
         N_("{key} right")},
        {"UP", {Key::W}, {}, T::kPlay, N_("move up"), N_("Move up"), N_("Up"), N_("Move"), N_("{key} up")},
        {"DOWN",
         {Key::S},
         {},
         T::kPlay,
         N_("move down"),
         N_("Move down"),
         N_("Down"),
         N_("Move"),
         N_("{key} down")},
        {"LAY",
         {Key::E},
         {SDL_CONTROLLER_BUTTON_A},
         T::kPlay,
         N_("lay the last egg you picked up"),
         N_("Lay an egg"),
         N_("Lay"),
         N_("Lay an egg"),
         N_("{key} drops one of the eggs you carry")},
        {"SHOOT",
         {Key::Space},
         {SDL_CONTROLLER_BUTTON_X},
         T::kPlay,
         N_("shoot every armed egg the way you last moved; also leaves the end screen"),
         N_("Shoot the eggs"),
         N_("Shoot"),
         N_("Shoot the armed eggs"),
         N_("{key}: the way you last moved; mouse button: at the pointer")},
    };
}

std::vector<T::Row> pauseAndMenuRows() {
    return {
        {"PAUSE",
         {Key::Escape},
         {SDL_CONTROLLER_BUTTON_START},
         T::kPlay | T::kPaused | T::kEnd,
         N_("pause or resume the level; leave the controls or credits screen"),
         N_("Pause and go on"),
         N_("Pause"),
         N_("Pause and go back"),
         N_("{key} pauses the level and leaves this screen")},
        {"RESTART",
         {Key::R},
         {SDL_CONTROLLER_BUTTON_Y},
         T::kPlay | T::kPaused | T::kEnd,
         N_("while paused or on the end screen: start the level again"),
         N_("Restart (paused)"),
         N_("Restart"),
         N_("While paused"),
         N_("{key} restarts the level")},
        {"MENU",
         {Key::Q},
         {SDL_CONTROLLER_BUTTON_B},
         T::kPlay | T::kPaused,
         N_("while paused: back to the menu"),
         N_("Menu (paused)"),
         N_("Menu"),
         N_("While paused"),
         N_("{key} goes back to the menu")},
        {"ACCEPT",
         {},
         {SDL_CONTROLLER_BUTTON_A},
         T::kPaused | T::kMenus | T::kEnd,
         N_("in the menus: choose; while paused: go on"),
         N_("Menus: choose"),
         N_("Accept"),
         N_("Menus"),
         N_("Enter or Space choose")},
        {"BACK",
         {},
         {SDL_CONTROLLER_BUTTON_B},
         T::kMenus,
         N_("in the menus: go back"),
         N_("Menus: back"),
         N_("Back"),
         N_("Menus"),
         N_("Escape goes back")},
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
