#pragma once

#include <SFML/Window/Event.hpp>

// Window events as SFML delivers them, positions in window pixels: the one way tests make input events.
inline sf::Event eventOf(sf::Event::EventType type) {
    sf::Event event{};
    event.type = type;
    return event;
}

inline sf::Event mousePress(int x, int y, sf::Mouse::Button button = sf::Mouse::Left) {
    sf::Event event = eventOf(sf::Event::MouseButtonPressed);
    event.mouseButton = {button, x, y};
    return event;
}

inline sf::Event mouseRelease(int x, int y, sf::Mouse::Button button = sf::Mouse::Left) {
    sf::Event event = mousePress(x, y, button);
    event.type = sf::Event::MouseButtonReleased;
    return event;
}

inline sf::Event mouseMove(int x, int y) {
    sf::Event event = eventOf(sf::Event::MouseMoved);
    event.mouseMove = {x, y};
    return event;
}

inline sf::Event mouseLeave() {
    return eventOf(sf::Event::MouseLeft);
}

inline sf::Event keyPress(sf::Keyboard::Key key, bool shift = false, bool alt = false) {
    sf::Event event = eventOf(sf::Event::KeyPressed);
    event.key.code = key;
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
    return eventOf(sf::Event::LostFocus);
}

inline sf::Event focusGained() {
    return eventOf(sf::Event::GainedFocus);
}

inline sf::Event windowResize(unsigned width, unsigned height) {
    sf::Event event = eventOf(sf::Event::Resized);
    event.size = {width, height};
    return event;
}
