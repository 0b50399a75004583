#pragma once

#include "input/PadNames.hpp"
#include "ui/Gui.hpp"

#include <SDL2/SDL_events.h>
#include <SDL2/SDL_gamecontroller.h>
#include <SFML/System/Vector2.hpp>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

// The pads, through SDL's game controllers, as a source of actions. Any pad plugged in is opened; the
// one used last drives the game. Each frame, update() reads SDL's events (the only place the game does)
// and turns the driving pad's buttons (bound by SDL's names), its left stick and D-pad (LEFT, RIGHT, UP,
// DOWN) and its right trigger (SHOOT) into held actions. While the window has no focus the pads count as
// untouched. A pad SDL has no mapping for plays on the usual Linux layout when it has the buttons for it.
class Gamepad {
public:
    // How far a stick must be pushed (of 1) before it counts, as a key held.
    static constexpr float kDeadZone = 0.25f;
    // How far the right trigger must be pulled (of 1) to shoot.
    static constexpr float kTriggerPull = 0.5f;

    Gamepad() = default;
    ~Gamepad();
    Gamepad(const Gamepad&) = delete;
    Gamepad& operator=(const Gamepad&) = delete;

    // SDL's game controllers beside the SFML window, with SDL's signal handlers off so Ctrl+C and SIGTERM
    // end the game as before. Counted: each call wants one stopSdl(). False, with SDL's reason on
    // sf::err(), when SDL cannot start.
    static bool startSdl();
    static void stopSdl();

    // Starts the pads: SDL's own mappings, then the lines of the player's file `mappingsPath` and of
    // SDL_GAMECONTROLLERCONFIG, all before the first pad opens. A bad line is named once and skipped.
    void start(const std::string& mappingsPath);
    // Once a frame, after the window's events.
    void update();
    // The keyboard or the mouse was used: the screens show keys again.
    void keyboardUsed() { padUsedLast = false; }
    // A pad drives and was used after the keyboard.
    bool wasUsedLast() const { return padUsedLast && isConnected(); }

    // A button held as it is bound counts for its new action only once it is pressed again.
    void bindButton(const std::string& action, SDL_GameControllerButton button);
    // SDL_CONTROLLER_BUTTON_INVALID when no button is bound to the action.
    SDL_GameControllerButton buttonFor(const std::string& action) const;

    bool isConnected() const { return pads.count(driving) > 0; }
    // The driving pad's family, for the names on screen; Xbox when no pad is connected.
    PadNames::Family family() const;
    bool isDown(const std::string& action) const { return down.count(action) > 0; }
    bool wasDown(const std::string& action) const { return previous.count(action) > 0; }
    // Down in this frame and not in the previous one.
    bool isPressed(const std::string& action) const { return isDown(action) && !wasDown(action); }
    // Every action held now counts as held before: a press that changed the screen does not act again on
    // the next one, which waits for the button to be let go and pressed anew.
    void spendPresses();
    // The first button the driving pad pressed in this frame, for choosing a button in the options.
    std::optional<SDL_GameControllerButton> buttonPressed() const { return firstPress; }
    // Where the right stick points, as a unit vector, when it is pushed past the dead zone.
    std::optional<sf::Vector2f> aim() const { return rightStick; }
    // What the pad asks of a menu's focus in this frame: the stick and D-pad move it, ACCEPT activates.
    std::vector<ui::Gui::Move> menuMoves() const;
    // The driving pad was unplugged in this frame.
    bool wasUnplugged() const { return unplugged; }
    // Shakes the driving pad, when it was used last and can: `strength` 0 to 1, for `milliseconds`.
    void rumble(float strength, unsigned milliseconds);

private:
    void addMappings(const std::string& mappingsPath);
    void handle(const SDL_Event& event);
    void noteUse(SDL_JoystickID pad);
    void open(int deviceIndex);
    bool mapAsRawLayout(int deviceIndex);
    void close(SDL_JoystickID pad);
    void sampleButtons();
    void sampleSticks();

    bool started = false;
    std::map<SDL_JoystickID, SDL_GameController*> pads;
    SDL_JoystickID driving = -1;
    bool padUsedLast = false;
    bool unplugged = false;
    std::string mappingsFile;
    std::map<std::string, SDL_GameControllerButton> buttons;
    std::set<SDL_GameControllerButton> pressedThisFrame;
    std::optional<SDL_GameControllerButton> firstPress;
    std::set<std::string> down;
    std::set<std::string> previous;
    std::optional<sf::Vector2f> rightStick;
};
