#pragma once

#include <SFML/System/Vector2.hpp>
#include <SFML/Window/Joystick.hpp>
#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>
#include <SFML/Window/Window.hpp>
#include <map>
#include <set>
#include <utility>

// The one place where the game reads the keyboard, the mouse buttons, the
// mouse position and the gamepads in real time. The game reads SFML through it; tests switch it
// to scripted mode and set the state by hand, so a level can be played frame by
// frame without a display.
//
// SFML reads the keyboard globally on X11, so while the game window does not
// have the focus every key and button reads as released.
//
// A key whose press event arrived during the frame reads as held for that whole
// frame, even when it was released before the frame sampled the keyboard: taps
// shorter than a frame (remote desktops, macro keys) count once.
class RealtimeInput {
public:
    static bool isKeyPressed(sf::Keyboard::Key key);
    static bool isMouseButtonPressed(sf::Mouse::Button button);
    // Mouse position relative to the window, in window pixels.
    static sf::Vector2i mousePosition(const sf::Window& window);
    // Pads by SFML's number; buttons and axes read as released and centred while the window has no focus.
    static bool isPadConnected(unsigned pad);
    static bool isPadButtonPressed(unsigned pad, unsigned button);
    // -100 to 100.
    static float padAxis(unsigned pad, sf::Joystick::Axis axis);

    static void setFocused(bool focused);
    static bool isFocused();

    // Scripted mode: nothing is read from SFML; keys and buttons are as set.
    static void setScripted(bool scripted);
    static bool isScripted();
    static void setKey(sf::Keyboard::Key key, bool held);
    static void setMouseButton(sf::Mouse::Button button, bool held);
    static void setMousePosition(sf::Vector2i position);
    static void setPadConnected(unsigned pad, bool connected);
    static void setPadButton(unsigned pad, unsigned button, bool held);
    static void setPadAxis(unsigned pad, sf::Joystick::Axis axis, float position);
    // Frame bookkeeping, filled from the window's events.
    static void noteKeyPress(sf::Keyboard::Key key);
    static void forgetKeyPresses();

    // Releases every scripted key and button and returns to live, focused mode.
    static void reset();

private:
    static bool focused;
    static bool scripted;
    static std::map<sf::Keyboard::Key, bool> scriptedKeys;
    static std::set<sf::Keyboard::Key> pressedThisFrame;
    static std::map<sf::Mouse::Button, bool> scriptedButtons;
    static sf::Vector2i scriptedMouse;
    static std::set<unsigned> scriptedPads;
    static std::set<std::pair<unsigned, unsigned>> scriptedPadButtons;
    static std::map<std::pair<unsigned, int>, float> scriptedPadAxes;
};
