#pragma once

#include <SFML/Window/Keyboard.hpp>
#include <optional>
#include <string>

// The names players read and write for keys ("A", "Escape", "Space", "Left",
// "F5", "Num1"), one table for the settings file and the screens alike.
class KeyNames {
public:
    // Empty for a key the table does not hold.
    static std::string nameOf(sf::Keyboard::Key key);
    // Exact, case-sensitive match; empty for an unknown name.
    static std::optional<sf::Keyboard::Key> keyNamed(const std::string& name);
    // What the game itself does with a key no action may take, in English with {1} for the key's name
    // ("{1} switches between the window and fullscreen"), or "" for a key free to bind. Enter stays free: the
    // game keeps only Alt+Enter.
    static std::string keptByTheGame(sf::Keyboard::Key key);
};
