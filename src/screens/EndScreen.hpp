#pragma once

#include "app/GameState.hpp"
#include "scene/GameObject.hpp"
#include "ui/Gui.hpp"
#include "ui/Label.hpp"

#include <memory>

// After a level: the won or the lost picture, chosen from the state manager's won flag every frame; after a
// win also the run's time and difficulty, between the picture's two lines of text, with "New best" when it
// beat the record at that difficulty, or a word that the time could not be kept. Space returns to the menu,
// R (as bound) plays the level again; a key already down when the screen opened (Space shoots in the level)
// counts only once it has been let go and pressed again.
class EndScreen final : public GameState {
public:
    // The middle of the free band between "You escaped with the formula." and "Press Space to return to
    // the menu" in the won picture, in picture coordinates.
    static constexpr float kTimeLineMiddle = 503.0f;

    void init() override;
    void exit() override;
    void update(float dt) override;
    void draw(sf::RenderWindow& window) override;
    void handleInput(float dt) override;

    // "Time 1:23.4 on Normal   New best", "Time 1:23.4 on Normal" or "Time 1:23.4 on Hard (could not be
    // saved)".
    static std::string timeText(double seconds, const std::string& difficulty, bool kept, bool best);

    std::shared_ptr<GameObject> wonPicture;
    std::shared_ptr<GameObject> lostPicture;
    std::shared_ptr<GameObject> camera;
    ui::Gui gui;
    std::shared_ptr<ui::Label> timeLine;

private:
    void buildTimeLine();

    bool spaceWasDown = true;
    bool restartWasDown = true;
};
