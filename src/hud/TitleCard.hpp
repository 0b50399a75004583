#pragma once

#include "ui/Gui.hpp"
#include "ui/Label.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <memory>
#include <string>
#include <vector>

// The level's name and what it is about, on a card over the level as it starts. The level waits under it:
// the card goes at the player's first action, or by itself after kSeconds, and play starts then. A bar along
// its foot shrinks with the time left.
class TitleCard {
public:
    static constexpr float kSeconds = 4.0f;

    // Lays the card out for the picture; without a window nothing is drawn, but the card still times out.
    void build(sf::RenderWindow* window, const std::string& title, const std::string& intro);
    // Counts the real time `dt` the card has shown; it goes when the player of `playerName` acts (moves, or
    // presses any other action's key or pad button) or when its time is up.
    void update(float dt, const std::string& playerName);
    bool shown() const { return showing; }
    void draw(sf::RenderWindow& window);

    // The card's lines as drawn: the title first, then the intro's lines.
    std::vector<std::string> lines() const;

    // The card and its lines, in the picture's coordinates.
    ui::Gui gui;

private:
    std::shared_ptr<ui::Label> addLine(const std::string& text, unsigned size, sf::Color colour, float top);

    std::shared_ptr<ui::Label> card;
    std::vector<std::shared_ptr<ui::Label>> texts;
    sf::RectangleShape timeBar;
    float barWidth = 0.0f;
    float left = kSeconds;
    bool showing = true;
};
