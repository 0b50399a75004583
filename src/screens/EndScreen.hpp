#pragma once

#include "app/GameState.hpp"
#include "scene/GameObject.hpp"
#include "ui/Gui.hpp"
#include "ui/Label.hpp"

#include <memory>

// After a level: the won or the lost picture, chosen from the state manager's
// won flag every frame; after a win also the run's time, and "New best" when it beat
// the level's record. Space returns to the menu, R (as bound) plays the level again.
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
    ui::Gui gui;
    std::shared_ptr<ui::Label> timeLine; // "Time 1:23.4   New best"

private:
    void buildTimeLine();
};
