#include "input/RealtimeInput.hpp"

bool RealtimeInput::focused = true;
bool RealtimeInput::scripted = false;
std::map<sf::Keyboard::Key, bool> RealtimeInput::scriptedKeys;
std::set<sf::Keyboard::Key> RealtimeInput::pressedThisFrame;
std::map<sf::Mouse::Button, bool> RealtimeInput::scriptedButtons;
sf::Vector2i RealtimeInput::scriptedMouse;
std::set<unsigned> RealtimeInput::scriptedPads;
std::set<std::pair<unsigned, unsigned>> RealtimeInput::scriptedPadButtons;
std::map<std::pair<unsigned, int>, float> RealtimeInput::scriptedPadAxes;

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

bool RealtimeInput::isPadConnected(unsigned pad) {
    return scripted ? scriptedPads.count(pad) > 0 : sf::Joystick::isConnected(pad);
}

bool RealtimeInput::isPadButtonPressed(unsigned pad, unsigned button) {
    if (scripted) {
        return scriptedPadButtons.count({pad, button}) > 0;
    }
    return focused && sf::Joystick::isButtonPressed(pad, button);
}

float RealtimeInput::padAxis(unsigned pad, sf::Joystick::Axis axis) {
    if (scripted) {
        const auto found = scriptedPadAxes.find({pad, static_cast<int>(axis)});
        return found != scriptedPadAxes.end() ? found->second : 0.0f;
    }
    return focused ? sf::Joystick::getAxisPosition(pad, axis) : 0.0f;
}

void RealtimeInput::setPadConnected(unsigned pad, bool connected) {
    if (connected) {
        scriptedPads.insert(pad);
    } else {
        scriptedPads.erase(pad);
    }
}

void RealtimeInput::setPadButton(unsigned pad, unsigned button, bool held) {
    if (held) {
        scriptedPadButtons.insert({pad, button});
    } else {
        scriptedPadButtons.erase({pad, button});
    }
}

void RealtimeInput::setPadAxis(unsigned pad, sf::Joystick::Axis axis, float position) {
    scriptedPadAxes[{pad, static_cast<int>(axis)}] = position;
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
    scriptedPads.clear();
    scriptedPadButtons.clear();
    scriptedPadAxes.clear();
    scripted = false;
    focused = true;
}
