#pragma once

#include "scene/GameObject.hpp"
#include "ui/Gui.hpp"
#include "ui/Label.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/View.hpp>
#include <memory>
#include <string>
#include <vector>

// The paused level: the pause picture near the player with what the keys do now (continue, restart,
// menu) over it, and every action with its key along the bottom of the picture; the pad's buttons instead
// when the player used a pad last. Whatever the player bound, both stay inside the picture.
class PausePanel {
public:
    // Builds the picture and the lines; the window may be null (nothing is then drawn).
    void build(sf::RenderWindow* window);
    // Once a paused frame: near the player, inside the camera's view, with the keys bound now.
    void show(const sf::View& view, sf::Vector2f playerPosition);
    void draw(sf::RenderWindow& window, const sf::FloatRect& viewport);

    std::shared_ptr<GameObject> pauseObject;
    // What the keys do while paused, drawn over the pause picture.
    ui::Gui pauseGui;
    std::shared_ptr<ui::Label> pauseKeys;
    std::shared_ptr<ui::Label> boundKeys;

private:
    void listBoundKeys();
    void placePauseKeys(const sf::View& view);
    // The pieces in as few, even lines as fit inside the picture.
    std::string fitted(const std::vector<std::string>& pieces) const;

    std::string listedKeys;
};
