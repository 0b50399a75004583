#pragma once

#include <SFML/Window/Event.hpp>
#include <SFML/Window/Keyboard.hpp>
#include <map>
#include <string>

// Maps named actions ("LEFT", "LAY", ...) of each controlled object to keys and
// keeps every bound key's state for this frame and the previous one. Lookups of
// unknown owners or actions insert defaults (key A, released), never fail.
class InputManager {
public:
    static InputManager* getInstance();
    static void destroyInstance();

    // Snapshots every known key once per frame, before any screen runs.
    void update(sf::Event event);
    void bindAction(std::string action, sf::Keyboard::Key key, std::string owner);
    bool isActionDown(std::string action, std::string owner);
    // Held now and not held in the previous frame.
    bool isActionPressed(std::string action, std::string owner);

    std::map<sf::Keyboard::Key, bool> keyStates;
    std::map<sf::Keyboard::Key, bool> previousKeyStates;
    std::map<std::string, std::map<std::string, sf::Keyboard::Key>> bindings;
    sf::Event lastEvent;

private:
    InputManager();
    static InputManager* instance;
};
