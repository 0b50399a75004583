#include "input/ActionLabel.hpp"

#include "app/GameStateManager.hpp"
#include "app/InputManager.hpp"
#include "input/Gamepad.hpp"
#include "input/KeyNames.hpp"
#include "storage/Settings.hpp"

namespace {
bool isMove(const std::string& action) {
    return action == "LEFT" || action == "RIGHT" || action == "UP" || action == "DOWN";
}
} // namespace

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
    return key == sf::Keyboard::Unknown ? "not bound" : KeyNames::nameOf(key);
}

std::string ActionLabel::forPad(const std::string& action, const Settings& settings,
                                PadNames::Family family) {
    if (isMove(action)) {
        return "Stick, D-pad";
    }
    if (settings.padButton(action) == SDL_CONTROLLER_BUTTON_INVALID) {
        return "not bound";
    }
    const std::string button = PadNames::label(family, settings.padButton(action));
    return action == "SHOOT" ? button + ", " + PadNames::rightTrigger(family) : button;
}
