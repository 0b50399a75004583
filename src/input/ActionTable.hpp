#pragma once

#include <SDL2/SDL_gamecontroller.h>
#include <SFML/Window/Keyboard.hpp>
#include <string>
#include <vector>

// Every action of the game, one row each: what it is called, what it is bound to at first, and the words
// every screen and the help use for it (in English: the code that shows them looks them up with tr()). The
// settings, --help, the Options and Controls screens and the Controls picture all read it; adding an action
// is adding its row (and the code that acts on it).
class ActionTable {
public:
    // Where a pad button is read: one button may serve two actions only when no screen reads both.
    enum Screens : unsigned { kPlay = 1, kPaused = 2, kMenus = 4, kEnd = 8 };

    struct Row {
        std::string name;
        // The default keys in order of preference: the first, or the next when a player's own binding
        // holds it. Empty: no key (the menus' own actions).
        std::vector<sf::Keyboard::Key> keys;
        // The same for the pad, by SDL's names. Empty: the sticks and the D-pad make it.
        std::vector<SDL_GameControllerButton> buttons;
        unsigned padScreens = 0;
        // --help: "move left".
        std::string help;
        // The Controls screen: "Move left".
        std::string controls;
        // The Options screen's button: "Left".
        std::string option;
        // The Controls picture: the row it is drawn in ("Move"), and its words there, with {key} for its
        // default key ("{key} left").
        std::string pictureRow;
        std::string picture;
        bool rebindable = true;
    };

    static const std::vector<Row>& rows();
    // Null for a name no row has.
    static const Row* find(const std::string& name);
    // The names of the actions a key can be bound to, and a pad button, in the table's order.
    static const std::vector<std::string>& keyActions();
    static const std::vector<std::string>& padActions();
    // Whether one screen reads the pad buttons of both actions.
    static bool shareAScreen(const std::string& one, const std::string& other);
};
