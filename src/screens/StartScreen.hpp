#pragma once

#include "app/GameState.hpp"
#include "scene/GameObject.hpp"
#include "ui/CheckBox.hpp"
#include "ui/Gui.hpp"

#include <memory>
#include <string>

// The menu: loads every sound effect, starts the music and shows the form
// "Assets/start.txt" with its buttons and the audio check box. Start begins the
// first level at once; Levels opens the list of levels, Options the options. The click
// handlers only record the choice; update() acts on it.
class StartScreen final : public GameState {
public:
    void init() override;
    void exit() override;
    void update(float dt) override;
    void draw(sf::RenderWindow& window) override;
    void handleInput(float dt) override;

    void onStartClicked();
    void onLevelsClicked();
    void onOptionsClicked();
    void onControlsClicked();
    void onCreditsClicked();
    void onExitClicked();
    void onAudioClicked();

    ui::Gui gui;
    bool startIdle = true;
    bool levelsIdle = true;
    bool optionsIdle = true;
    bool controlsIdle = true;
    bool creditsIdle = true;
    bool exitIdle = true;
    std::shared_ptr<ui::CheckBox> audioCheckBox;
    std::shared_ptr<GameObject> background;
    std::shared_ptr<GameObject> camera;

private:
    void loadSounds();
    void buildBackground();
    // False, after writing why, when the menu cannot be shown at all.
    bool buildMenu();
    bool connectButton(const std::string& name, void (StartScreen::*handler)());
    // Nothing can be shown: the game ends with status 1.
    void giveUp();

    bool menuReady = false;
};
