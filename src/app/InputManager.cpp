#include "app/InputManager.hpp"

#include "input/RealtimeInput.hpp"

#include <cstring>

InputManager* InputManager::instance = nullptr;

InputManager::InputManager() {
    std::memset(&lastEvent, 0, sizeof(lastEvent));
}

InputManager* InputManager::getInstance() {
    if (!instance) {
        instance = new InputManager();
    }
    return instance;
}

void InputManager::destroyInstance() {
    delete instance;
    instance = nullptr;
}

void InputManager::update(sf::Event event) {
    lastEvent = event;
    previousKeyStates = keyStates;
    for (auto& [key, held] : keyStates) {
        held = RealtimeInput::isKeyPressed(key);
    }
    gamepad.update();
}

void InputManager::bindAction(std::string action, sf::Keyboard::Key key, std::string owner) {
    bindings[owner][action] = key;
    keyStates[key] = false;
    previousKeyStates[key] = false;
}

bool InputManager::isActionDown(std::string action, std::string owner) {
    const sf::Keyboard::Key key = bindings[owner][action];
    return keyStates[key] || gamepad.isDown(action);
}

bool InputManager::isActionPressed(std::string action, std::string owner) {
    const sf::Keyboard::Key key = bindings[owner][action];
    const bool now = keyStates[key] || gamepad.isDown(action);
    return now && !previousKeyStates[key] && !gamepad.wasDown(action);
}

void InputManager::spendPresses() {
    // The new screen may have bound its keys afresh, as released: read what the player holds now.
    for (auto& [key, held] : keyStates) {
        held = held || RealtimeInput::isKeyPressed(key);
        previousKeyStates[key] = held;
    }
    gamepad.spendPresses();
}
