#pragma once

#include "app/GameState.hpp"
#include "scene/GameObject.hpp"

#include <memory>

// After a level: the won or the lost picture, chosen from the state manager's
// won flag every frame; Space returns to the menu, R (as bound) plays the level again.
class EndScreen final : public GameState {
public:
    void init() override;
    void exit() override;
    void update(float dt) override;
    void draw(sf::RenderWindow& window) override;
    void handleInput(float dt) override;

    std::shared_ptr<GameObject> wonPicture;
    std::shared_ptr<GameObject> lostPicture;
    std::shared_ptr<GameObject> camera;
};
