#pragma once

#include "app/GameState.hpp"
#include "scene/GameObject.hpp"
#include "ui/CheckBox.hpp"
#include "ui/Gui.hpp"
#include "ui/Label.hpp"

#include <memory>
#include <string>

// The menu: loads every sound effect, starts the music and shows the form
// "Assets/start.txt" with its buttons and the audio check box. Start begins the
// first level at once; Practice opens the list of lessons, Levels the list of levels, Options the options.
// The click handlers only record the choice; update() acts on it. Until the first win is recorded (there is
// no records file yet) the menu says, under the buttons, that the practice yard teaches the basics.
class StartScreen final : public GameState {
public:
    void init() override;
    void exit() override;
    void update(float dt) override;
    void draw(sf::RenderWindow& window) override;
    void handleInput(float dt) override;

    void onStartClicked();
    void onPracticeClicked();
    void onLevelsClicked();
    void onOptionsClicked();
    void onControlsClicked();
    void onCreditsClicked();
    void onExitClicked();
    void onAudioClicked();

    ui::Gui gui;
    bool startIdle = true;
    bool practiceIdle = true;
    bool levelsIdle = true;
    bool optionsIdle = true;
    bool controlsIdle = true;
    bool creditsIdle = true;
    bool exitIdle = true;
    std::shared_ptr<ui::CheckBox> audioCheckBox;
    // The line for a first-time player; empty when it is not shown.
    std::shared_ptr<ui::Label> welcomeLine;
    std::shared_ptr<GameObject> background;
    std::shared_ptr<GameObject> camera;

private:
    void loadSounds();
    void buildBackground();
    // False, after writing why, when the menu cannot be shown at all.
    bool buildMenu();
    bool connectButton(const std::string& name, void (StartScreen::*handler)());
    void welcomeNewPlayer();
    // Nothing can be shown: the game ends with status 1.
    void giveUp();

    bool menuReady = false;
};
