#pragma once

#include "app/GameState.hpp"
#include "input/KeyCapture.hpp"
#include "input/PadNames.hpp"
#include "scene/GameObject.hpp"
#include "storage/SettingTable.hpp"
#include "ui/Button.hpp"
#include "ui/CheckBox.hpp"
#include "ui/FlowLayout.hpp"
#include "ui/Gui.hpp"
#include "ui/Label.hpp"
#include "ui/Slider.hpp"

#include <SFML/Window/Event.hpp>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// What the player may change: every setting the settings table shows in Options (volumes, difficulty,
// fullscreen, sight, ghost, rumble...) and the key and pad button of every action, laid out in rows that
// flow inside the panel, so a new row never covers another. Every change is saved at once. Works by mouse,
// keys and pad alike through the Gui's focus; Left and Right move the focused slider or difficulty. While a
// key is being chosen the screen takes the keys before the Gui does; while a pad button is, the first button
// the pad presses is taken. Escape, the pad's BACK button or "Back" return to the menu.
class OptionsScreen final : public GameState {
public:
    void init() override;
    void exit() override;
    void update(float dt) override;
    void draw(sf::RenderWindow& window) override;
    void handleInput(float) override {}

    ui::Gui gui;
    // The controls, built from the action and setting tables: keys and pad buttons by action, the
    // settings' sliders, check boxes and choices by their place in the settings file ("game.show_sight").
    std::map<std::string, std::shared_ptr<ui::Button>> keyButtons;
    std::map<std::string, std::shared_ptr<ui::Button>> padButtons;
    std::map<std::string, std::shared_ptr<ui::Slider>> sliders;
    std::map<std::string, std::shared_ptr<ui::CheckBox>> checkBoxes;
    std::map<std::string, std::shared_ptr<ui::Button>> choices;
    std::shared_ptr<ui::Button> resetKeysButton;
    std::shared_ptr<ui::Button> backButton;
    // "Press a key for ...", a refused key, or what the last binding did.
    std::shared_ptr<ui::Label> messageLine;
    KeyCapture capture;
    // The pad action waiting for its button.
    std::optional<std::string> padCapture;

private:
    void buildWidgets();
    // Shrinks the message line's text until it fits beside the title.
    // The panel under every control, a card like the other screens' so their words stay inside it.
    void addPanel();
    // Each check box's words fit up to the next control on its row, or the panel's edge.
    void fitCheckBoxWords();
    void fitMessage();
    // Builds every widget again in the language in use, keeping the focus where it was.
    void rebuildWords();
    // A small title over a section of the flow.
    void addHeading(const std::string& text, ui::FlowLayout& flow);
    void buildSlider(const SettingTable::Row& row, ui::FlowLayout& flow);
    void buildKeyButtons(ui::FlowLayout& flow);
    void buildPadButtons(ui::FlowLayout& flow);
    void buildSwitchesAndChoices(ui::FlowLayout& flow);
    void buildLastRow(ui::FlowLayout& flow);
    void choosePadButton();
    static PadNames::Family padFamily();
    // Styles the button as the menu's, places it and adds it to the Gui.
    std::shared_ptr<ui::Button> addButton(std::shared_ptr<ui::Button> button, sf::Vector2f at,
                                          sf::Vector2f size, const std::string& name);
    void handleEvent(const sf::Event& event);
    // Stores what the player chose, does what it does at once (volumes, the window) and saves.
    void changed(const SettingTable::Row& row, const SettingTable::Value& value);
    void nextChoice(const SettingTable::Row& row, int direction);
    void showSettings();

    std::shared_ptr<GameObject> background;
    std::shared_ptr<GameObject> camera;
    // The number beside each slider.
    std::map<std::string, std::shared_ptr<ui::Label>> sliderValues;
    bool backChosen = false;
    // The translator's generation the words were built in.
    unsigned wordsBuilt = 0;
};
