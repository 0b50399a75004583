#pragma once

#include "ui/Gui.hpp"

#include <SFML/System/Vector2.hpp>
#include <SFML/Window/Event.hpp>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

// The pad as a source of actions. The first connected pad plays; pads plugged in or out are noticed
// from the window's events. Each frame, update() turns the playing pad's buttons (bound by number),
// its left stick and D-pad (LEFT, RIGHT, UP, DOWN) and its right trigger (SHOOT) into held actions,
// read through RealtimeInput, so tests drive it from the events on.
class Gamepad {
public:
    // How far a stick must be pushed (of 100) before it counts, as a key held.
    static constexpr float kDeadZone = 25.0f;
    // How far the right trigger must be pulled (from -100 or 0 at rest to 100) to shoot.
    static constexpr float kTriggerPull = 50.0f;
    // No pad plays.
    static constexpr unsigned kNoPad = sf::Joystick::Count;

    // "A", "B", "X", "Y", "LB", "RB", "Back", "Start" for the usual layout, else "Button <n>".
    static std::string buttonName(unsigned button);

    // Notes JoystickConnected and JoystickDisconnected; other events are ignored.
    void handleEvent(const sf::Event& event);
    // Samples the playing pad once a frame, after the frame's events.
    void update();

    void bindButton(const std::string& action, unsigned button) { buttons[action] = button; }
    // The button bound to an action; empty when none is.
    std::optional<unsigned> buttonFor(const std::string& action) const;

    bool isConnected() const { return pad != kNoPad; }
    unsigned playingPad() const { return pad; }
    bool isDown(const std::string& action) const { return down.count(action) > 0; }
    bool wasDown(const std::string& action) const { return previous.count(action) > 0; }
    // Down in this frame and not in the previous one.
    bool isPressed(const std::string& action) const { return isDown(action) && !wasDown(action); }
    // Where the right stick points, as a unit vector, when it is pushed past the dead zone.
    std::optional<sf::Vector2f> aim() const { return rightStick; }
    // What the pad asks of a menu's focus in this frame: the stick and D-pad move it, ACCEPT activates.
    std::vector<ui::Gui::Move> menuMoves() const;
    // The playing pad was unplugged in this frame's events.
    bool wasUnplugged() const { return unplugged; }

private:
    void findPad(unsigned except);
    void sampleSticks();

    unsigned pad = kNoPad;
    bool searched = false;
    bool unpluggedPending = false;
    bool unplugged = false;
    std::map<std::string, unsigned> buttons;
    std::set<std::string> down;
    std::set<std::string> previous;
    std::optional<sf::Vector2f> rightStick;
};
