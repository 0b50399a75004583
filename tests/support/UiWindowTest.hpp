#pragma once

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <cstdlib>
#include <gtest/gtest.h>

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
