#pragma once

#include "app/GameState.hpp"
#include "input/KeyCapture.hpp"
#include "input/PadNames.hpp"
#include "scene/GameObject.hpp"
#include "ui/Button.hpp"
#include "ui/CheckBox.hpp"
#include "ui/Gui.hpp"
#include "ui/Label.hpp"
#include "ui/Slider.hpp"

#include <SFML/Window/Event.hpp>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// What the player may change: music and effects volume, the key and the pad button of every action, the
// difficulty, fullscreen and the pad's rumble. Every change is saved at once. Works by mouse, keys and pad
// alike through the Gui's focus; Left and Right move the focused slider or difficulty. While a key is being
// chosen the screen takes the keys before the Gui does; while a pad button is, the first button the pad
// presses is taken. Escape, the pad's BACK button or "Back" return to the menu.
class OptionsScreen final : public GameState {
public:
    void init() override;
    void exit() override;
    void update(float dt) override;
    void draw(sf::RenderWindow& window) override;
    void handleInput(float) override {}

    ui::Gui gui;
    std::shared_ptr<ui::Slider> musicSlider;
    std::shared_ptr<ui::Slider> effectsSlider;
    std::map<std::string, std::shared_ptr<ui::Button>> keyButtons;
    std::map<std::string, std::shared_ptr<ui::Button>> padButtons;
    std::shared_ptr<ui::Button> difficultyButton;
    std::shared_ptr<ui::CheckBox> fullscreenBox;
    // "Show sight": the dogs' sight drawn on the ground.
    std::shared_ptr<ui::CheckBox> sightBox;
    std::shared_ptr<ui::CheckBox> ghostBox;
    std::shared_ptr<ui::CheckBox> rumbleBox;
    std::shared_ptr<ui::Button> resetKeysButton;
    std::shared_ptr<ui::Button> backButton;
    // "Press a key for ...", a refused key, or what the last binding did.
    std::shared_ptr<ui::Label> messageLine;
    KeyCapture capture;
    // The pad action waiting for its button.
    std::optional<std::string> padCapture;

private:
    void buildWidgets();
    void buildVolumeRow(const std::string& name, float top, std::shared_ptr<ui::Slider>& slider);
    void buildKeyButtons();
    void buildPadButtons();
    static float padTop();
    void choosePadButton();
    static PadNames::Family padFamily();
    void buildLowerRows();
    void buildRumbleBox();
    // Styles the button as the menu's, places it and adds it to the Gui.
    std::shared_ptr<ui::Button> addButton(std::shared_ptr<ui::Button> button, sf::Vector2f at,
                                          sf::Vector2f size, const std::string& name);
    void handleEvent(const sf::Event& event);
    void volumesChanged(bool effectsMoved);
    void nextDifficulty(int direction);
    void showSettings();

    std::shared_ptr<GameObject> background;
    std::shared_ptr<GameObject> camera;
    std::shared_ptr<ui::Label> musicValue;
    std::shared_ptr<ui::Label> effectsValue;
    bool backChosen = false;
};
