#pragma once

#include "app/GameState.hpp"
#include "scene/GameObject.hpp"
#include "storage/LevelCatalog.hpp"
#include "ui/Button.hpp"
#include "ui/Gui.hpp"
#include "ui/Label.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <memory>
#include <optional>
#include <vector>

// The list of levels, a page of them at a time: the shipped ones, then the player's own from their levels
// folder. Each entry shows the level's name with its best time and wins at the chosen difficulty; a level the
// game cannot play is greyed with the reason and cannot be chosen. Choosing one starts it; Back, Escape or
// the pad's B button return to the menu. Only the levels on the page shown are read and checked.
class LevelListScreen final : public GameState {
public:
    static constexpr std::size_t kRowsPerPage = 7;

    void init() override;
    void exit() override;
    void update(float dt) override;
    void draw(sf::RenderWindow& window) override;
    void handleInput(float dt) override;

    // The entry's line, with the record at the difficulty the level would be played at: "Name   Normal: best
    // 1:02.3, won 2 times", or "file.tmx: <reason>" when it is broken. A player's level names its file too:
    // "Name (file.tmx)   Hard: not won yet".
    static std::string entryText(const LevelCatalog::Details& details, const std::string& fileName,
                                 bool shipped, Settings::Difficulty difficulty);
    // "Normal: best 1:02.3, won 2 times" or "Normal: not won yet".
    static std::string recordText(const LevelCatalog::Details& details, Settings::Difficulty difficulty);

    ui::Gui gui;
    std::optional<LevelCatalog> catalog;
    std::size_t firstShown = 0;
    // One button per row of the page; rows past the last level are hidden.
    std::vector<std::shared_ptr<ui::Button>> entryButtons;
    std::shared_ptr<ui::Button> previousButton;
    std::shared_ptr<ui::Button> nextButton;
    std::shared_ptr<ui::Button> backButton;
    std::shared_ptr<ui::Label> pageLabel;

private:
    void buildWidgets();
    std::shared_ptr<ui::Button> makeButton(const std::string& text, sf::FloatRect area, unsigned textSize);
    void showPage(std::size_t first);
    bool wantsBack(const sf::Event& event) const;

    std::shared_ptr<GameObject> background;
    std::shared_ptr<GameObject> camera;
    sf::RectangleShape panel;
    std::optional<std::size_t> chosen;
    bool backChosen = false;
};
