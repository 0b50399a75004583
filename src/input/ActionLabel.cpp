#include "input/ActionLabel.hpp"

#include "app/GameStateManager.hpp"
#include "app/InputManager.hpp"
#include "i18n/Translator.hpp"
#include "input/Gamepad.hpp"
#include "input/KeyNames.hpp"
#include "storage/Settings.hpp"

namespace {
bool isMove(const std::string& action) {
    return action == "LEFT" || action == "RIGHT" || action == "UP" || action == "DOWN";
}

// TRANSLATORS: the pause screen's strip names each action in capitals beside its key ("LAY E"): keep
// them short.
const char* const kCapitalNames[][2] = {
    {"LEFT", N_("LEFT")}, {"RIGHT", N_("RIGHT")},   {"UP", N_("UP")},       {"DOWN", N_("DOWN")},
    {"LAY", N_("LAY")},   {"SHOOT", N_("SHOOT")},   {"PAUSE", N_("PAUSE")}, {"RESTART", N_("RESTART")},
    {"MENU", N_("MENU")}, {"ACCEPT", N_("ACCEPT")}, {"BACK", N_("BACK")},   {"MOVE", N_("MOVE")},
};
} // namespace

std::string ActionLabel::capitalName(const std::string& action) {
    for (const auto& [name, shown] : kCapitalNames) {
        if (action == name) {
            return tr(shown);
        }
    }
    return action;
}

std::string ActionLabel::of(const std::string& action) {
    return of(action, GameStateManager::getInstance()->settings, InputManager::getInstance()->gamepad);
}

std::string ActionLabel::of(const std::string& action, const Settings& settings, const Gamepad& pad) {
    return pad.wasUsedLast() ? forPad(action, settings, pad.family()) : forKeyboard(action, settings);
}

std::string ActionLabel::forKeyboard(const std::string& action, const Settings& settings) {
    // The menus' own keys, which no setting moves.
    if (action == "ACCEPT") {
        return "Enter";
    }
    if (action == "BACK") {
        return "Escape";
    }
    const sf::Keyboard::Key key = settings.key(action);
    return key == sf::Keyboard::Unknown ? tr("not bound") : KeyNames::nameOf(key);
}

std::string ActionLabel::forPad(const std::string& action, const Settings& settings,
                                PadNames::Family family) {
    if (isMove(action)) {
        return tr("Stick, D-pad");
    }
    if (settings.padButton(action) == SDL_CONTROLLER_BUTTON_INVALID) {
        return tr("not bound");
    }
    const std::string button = PadNames::label(family, settings.padButton(action));
    return action == "SHOOT" ? button + ", " + PadNames::rightTrigger(family) : button;
}
