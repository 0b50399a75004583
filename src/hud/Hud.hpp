#pragma once

#include "ui/Button.hpp"
#include "ui/Gui.hpp"
#include "ui/Label.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <cstddef>
#include <memory>
#include <string>

// What the level shows over the picture while it is played: the egg counter and its icon at the top left,
// the current goal in words at the top centre, the run's clock at the top right. Drawn through its own
// Gui in the picture's 800x600 coordinates, whatever the window's size.
class Hud {
public:
    // Builds every widget; the window may be null (nothing is then drawn).
    void build(sf::RenderWindow* window);
    // Once a frame: how many eggs the player carries, whether they have the formula, the clock's text.
    void show(std::size_t eggs, bool hasFormula, const std::string& clock);
    void draw(const sf::FloatRect& viewport);

    ui::Gui gui;
    std::shared_ptr<ui::Button> eggCounter;
    // "Find the formula", then "Bring it to the goal".
    std::shared_ptr<ui::Label> goalLine;
    std::shared_ptr<ui::Button> clockText;

private:
    void buildEggCounter();
    void buildGoalLine();
    void buildClock();
};
