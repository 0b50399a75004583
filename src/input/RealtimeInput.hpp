#pragma once

#include <SDL2/SDL_gamecontroller.h>
#include <SFML/System/Vector2.hpp>
#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>
#include <SFML/Window/Window.hpp>
#include <map>
#include <set>

// The one place where the game reads the keyboard, the mouse buttons, the
// mouse position and the pads in real time. The game reads SFML and SDL through it; tests switch
// it to scripted mode and set the keys and the mouse by hand, so a level can be played frame by
// frame; pads in tests are SDL's own virtual ones.
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
    // An open SDL pad; buttons and axes read as released and centred while the window has no focus,
    // since SDL has no window of ours to know it.
    static bool isPadButtonPressed(SDL_GameController* pad, SDL_GameControllerButton button);
    // -1 to 1; the triggers 0 to 1.
    static float padAxis(SDL_GameController* pad, SDL_GameControllerAxis axis);

    static void setFocused(bool focused);
    static bool isFocused();

    // Scripted mode: nothing is read from SFML; keys and buttons are as set.
    static void setScripted(bool scripted);
    static bool isScripted();
    static void setKey(sf::Keyboard::Key key, bool held);
    static void setMouseButton(sf::Mouse::Button button, bool held);
    static void setMousePosition(sf::Vector2i position);
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
};
