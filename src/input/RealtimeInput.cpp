#include "input/RealtimeInput.hpp"

bool RealtimeInput::focused = true;
bool RealtimeInput::scripted = false;
std::map<sf::Keyboard::Key, bool> RealtimeInput::scriptedKeys;
std::set<sf::Keyboard::Key> RealtimeInput::pressedThisFrame;
std::map<sf::Mouse::Button, bool> RealtimeInput::scriptedButtons;
sf::Vector2i RealtimeInput::scriptedMouse;

bool RealtimeInput::isKeyPressed(sf::Keyboard::Key key) {
    if (pressedThisFrame.count(key) > 0) {
        return true;
    }
    if (scripted) {
        auto found = scriptedKeys.find(key);
        return found != scriptedKeys.end() && found->second;
    }
    return focused && sf::Keyboard::isKeyPressed(key);
}

bool RealtimeInput::isMouseButtonPressed(sf::Mouse::Button button) {
    if (scripted) {
        auto found = scriptedButtons.find(button);
        return found != scriptedButtons.end() && found->second;
    }
    return focused && sf::Mouse::isButtonPressed(button);
}

sf::Vector2i RealtimeInput::mousePosition(const sf::Window& window) {
    return scripted ? scriptedMouse : sf::Mouse::getPosition(window);
}

bool RealtimeInput::isPadButtonPressed(SDL_GameController* pad, SDL_GameControllerButton button) {
    return focused && SDL_GameControllerGetButton(pad, button) != 0;
}

float RealtimeInput::padAxis(SDL_GameController* pad, SDL_GameControllerAxis axis) {
    if (!focused) {
        return 0.0f;
    }
    return static_cast<float>(SDL_GameControllerGetAxis(pad, axis)) / SDL_JOYSTICK_AXIS_MAX;
}

void RealtimeInput::setFocused(bool hasFocus) {
    focused = hasFocus;
}
bool RealtimeInput::isFocused() {
    return focused;
}
void RealtimeInput::setScripted(bool on) {
    scripted = on;
}
bool RealtimeInput::isScripted() {
    return scripted;
}
void RealtimeInput::setKey(sf::Keyboard::Key key, bool held) {
    scriptedKeys[key] = held;
}
void RealtimeInput::setMouseButton(sf::Mouse::Button button, bool held) {
    scriptedButtons[button] = held;
}
void RealtimeInput::setMousePosition(sf::Vector2i position) {
    scriptedMouse = position;
}

void RealtimeInput::noteKeyPress(sf::Keyboard::Key key) {
    if (key != sf::Keyboard::Unknown) {
        pressedThisFrame.insert(key);
    }
}
void RealtimeInput::forgetKeyPresses() {
    pressedThisFrame.clear();
}

void RealtimeInput::reset() {
    scriptedKeys.clear();
    pressedThisFrame.clear();
    scriptedButtons.clear();
    scriptedMouse = {};
    scripted = false;
    focused = true;
}
