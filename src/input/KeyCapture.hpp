#pragma once

#include "storage/Settings.hpp"

#include <SFML/Window/Keyboard.hpp>
#include <string>

// Choosing a new key for one action: the next key pressed binds it, Escape cancels, and a key another
// action holds swaps with it. Keys the game keeps for itself (F11, Alt+Enter) and keys without a name
// are refused and the capture waits on, as it does on Alt alone. message() is the line to show the player.
class KeyCapture {
public:
    enum class Result { Waiting, Bound, Cancelled, Refused };

    void begin(const std::string& action);
    bool isActive() const { return !action.empty(); }
    const std::string& actionChosen() const { return action; }
    // Changes `settings` only when the key binds.
    Result press(sf::Keyboard::Key key, bool alt, Settings& settings);
    const std::string& message() const { return line; }

private:
    std::string action;
    std::string line;
};
