#pragma once

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/Window/Event.hpp>
#include <cstdlib>
#include <gtest/gtest.h>

// Mouse events as the window delivers them, in window pixels.
inline sf::Event mouseMoved(int x, int y) {
    sf::Event event{};
    event.type = sf::Event::MouseMoved;
    event.mouseMove = {x, y};
    return event;
}

inline sf::Event mouseButton(sf::Event::EventType type, int x, int y,
                             sf::Mouse::Button button = sf::Mouse::Left) {
    sf::Event event{};
    event.type = type;
    event.mouseButton = {button, x, y};
    return event;
}

inline sf::Event pressed(int x, int y) {
    return mouseButton(sf::Event::MouseButtonPressed, x, y);
}

inline sf::Event released(int x, int y) {
    return mouseButton(sf::Event::MouseButtonReleased, x, y);
}

inline sf::Event mouseLeft() {
    sf::Event event{};
    event.type = sf::Event::MouseLeft;
    return event;
}

// The game's own window size; needs the X server of xvfb-run.
class UiWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "run under xvfb-run";
        window.create(sf::VideoMode(800, 600), "ui test", sf::Style::Titlebar);
    }

    // What the frame drawn so far shows, read back before it is presented.
    sf::Image capture() {
        sf::Texture texture;
        texture.create(window.getSize().x, window.getSize().y);
        texture.update(window);
        return texture.copyToImage();
    }

    sf::RenderWindow window;
};
