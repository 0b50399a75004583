#pragma once

#include <SFML/Window/Event.hpp>

// Window events as SFML delivers them, positions in window pixels: the one way tests make input events.
inline sf::Event mousePress(int x, int y, sf::Mouse::Button button = sf::Mouse::Left) {
    sf::Event event{};
    event.type = sf::Event::MouseButtonPressed;
    event.mouseButton = {button, x, y};
    return event;
}

inline sf::Event mouseRelease(int x, int y, sf::Mouse::Button button = sf::Mouse::Left) {
    sf::Event event = mousePress(x, y, button);
    event.type = sf::Event::MouseButtonReleased;
    return event;
}

inline sf::Event mouseMove(int x, int y) {
    sf::Event event{};
    event.type = sf::Event::MouseMoved;
    event.mouseMove = {x, y};
    return event;
}

inline sf::Event mouseLeave() {
    sf::Event event{};
    event.type = sf::Event::MouseLeft;
    return event;
}

inline sf::Event keyPress(sf::Keyboard::Key key) {
    sf::Event event{};
    event.type = sf::Event::KeyPressed;
    event.key.code = key;
    return event;
}

inline sf::Event keyPress(sf::Keyboard::Key key, bool shift, bool alt = false) {
    sf::Event event = keyPress(key);
    event.key.shift = shift;
    event.key.alt = alt;
    return event;
}

inline sf::Event keyRelease(sf::Keyboard::Key key) {
    sf::Event event = keyPress(key);
    event.type = sf::Event::KeyReleased;
    return event;
}

inline sf::Event focusLost() {
    sf::Event event{};
    event.type = sf::Event::LostFocus;
    return event;
}

inline sf::Event focusGained() {
    sf::Event event{};
    event.type = sf::Event::GainedFocus;
    return event;
}

inline sf::Event windowResize(unsigned width, unsigned height) {
    sf::Event event{};
    event.type = sf::Event::Resized;
    event.size = {width, height};
    return event;
}
