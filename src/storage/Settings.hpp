#pragma once

#include "storage/Difficulty.hpp"

#include <SDL2/SDL_gamecontroller.h>
#include <SFML/System/Vector2.hpp>
#include <SFML/Window/Keyboard.hpp>
#include <map>
#include <optional>
#include <string>
#include <vector>

// What the player chooses and the game remembers between runs. A default
// Settings is the game as it always was: audio on at full music and effects
// volume, normal difficulty, the dogs' sight shown, an 800x600 window, A D W S to move, E to lay,
// Space to shoot, Escape to pause, R to restart and Q to leave a level; on a
// pad (by SDL's names, the Xbox layout) A lays, X shoots, Start pauses, Y restarts and B leaves; the pad
// rumbles.
class Settings {
public:
    using Difficulty = ::Difficulty;
    static constexpr int kMostVolume = 100;

    Settings();

    // Every action a key can be bound to, in the order the settings file lists them.
    static const std::vector<std::string>& actions();
    static sf::Keyboard::Key defaultKey(const std::string& action);
    // The key bound to an action; the default one for an action never bound.
    sf::Keyboard::Key key(const std::string& action) const;
    // True when no action is bound to another key than its default.
    bool keysAreDefault() const;

    // Kept here too for the screens that name it so.
    static std::string nameOf(Difficulty level) { return Difficulties::nameOf(level); }
    static std::optional<Difficulty> difficultyNamed(const std::string& name) {
        return Difficulties::named(name);
    }
    static std::string titleOf(Difficulty level) { return Difficulties::titleOf(level); }
    static const std::vector<Difficulty>& difficulties() { return Difficulties::all(); }

    // Every action a pad button can be bound to, in the order the settings file lists them. ACCEPT
    // continues a paused level and clicks in menus, BACK leaves a screen; the pad's sticks and D-pad
    // always move.
    static const std::vector<std::string>& padActions();
    // SDL_CONTROLLER_BUTTON_INVALID for an unknown action.
    static SDL_GameControllerButton defaultPadButton(const std::string& action);
    SDL_GameControllerButton padButton(const std::string& action) const;
    // Binds the button to the action. An action read on the same screen that had the button takes the
    // action's old one, as keys swap; its name is returned (empty when none had to move).
    std::string bindPadButton(const std::string& action, SDL_GameControllerButton button);

    bool operator==(const Settings& other) const;
    bool operator!=(const Settings& other) const { return !(*this == other); }

    // The menu's audio box: off silences everything, and the two volumes stay as they were.
    bool audio = true;
    // 0 to kMostVolume, of the game's own loudness for the music and for the effects.
    int musicVolume = kMostVolume;
    int effectsVolume = kMostVolume;
    Difficulty difficulty = Difficulty::Normal;
    // The dogs' sight drawn on the ground in the level.
    bool showSight = true;
    // The ghost of the best run on the level, raced on later attempts.
    bool showGhost = true;
    // Every shipped level may be played at once, not only after winning the one before it.
    bool openAllLevels = false;
    bool fullscreen = false;
    // The window's size when it is not fullscreen.
    sf::Vector2u windowSize{800, 600};
    std::map<std::string, sf::Keyboard::Key> keys;
    std::map<std::string, SDL_GameControllerButton> padButtons;
    // A pulse when a dog starts chasing, a longer one when caught, on a pad that can.
    bool rumble = true;
    // How fast the level runs, in percent of the full speed: 50 to 100 in steps of 10.
    int gameSpeed = 100;
    // The language the game shows: "system" follows the system's, or "en", "de", "fr", "es".
    std::string language = "system";
};
