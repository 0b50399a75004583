#pragma once

#include "input/Gamepad.hpp"

#include <SFML/Window/Event.hpp>
#include <SFML/Window/Keyboard.hpp>
#include <map>
#include <string>

// Maps named actions ("LEFT", "LAY", ...) of each controlled object to keys and
// keeps every bound key's state for this frame and the previous one. Lookups of
// unknown owners or actions insert defaults (key A, released), never fail. The
// pad is a second source of the same actions, for whichever object asks.
class InputManager {
public:
    static InputManager* getInstance();
    static void destroyInstance();

    // Snapshots every known key and the pad once per frame, before any screen runs.
    void update(sf::Event event);
    void bindAction(std::string action, sf::Keyboard::Key key, std::string owner);
    // Held on the bound key or on the pad.
    bool isActionDown(std::string action, std::string owner);
    // Held now and not held in the previous frame, on the key and the pad together.
    bool isActionPressed(std::string action, std::string owner);
    // Every key and pad button held now counts as held in the previous frame too: the press that opened a
    // screen is spent, and the new screen acts only on presses that begin after it.
    void spendPresses();

    std::map<sf::Keyboard::Key, bool> keyStates;
    std::map<sf::Keyboard::Key, bool> previousKeyStates;
    std::map<std::string, std::map<std::string, sf::Keyboard::Key>> bindings;
    sf::Event lastEvent;
    Gamepad gamepad;

private:
    InputManager();
    static InputManager* instance;
};
