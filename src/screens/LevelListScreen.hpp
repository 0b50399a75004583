#pragma once

#include "app/GameState.hpp"
#include "input/Gamepad.hpp"
#include "scene/GameObject.hpp"
#include "storage/Difficulty.hpp"
#include "storage/LevelCatalog.hpp"
#include "ui/Button.hpp"
#include "ui/Gui.hpp"
#include "ui/Label.hpp"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// The list of levels, a page of them at a time: the shipped ones, then the player's own from their levels
// folder; or, opened from the menu's Practice, the practice yard's lessons, with a line of help. Each entry
// shows the level's name with its best time and wins at the chosen difficulty; a level the game cannot play
// is greyed with the reason and cannot be chosen, and so is a shipped level not yet opened
// (LevelCatalog::opened), which says "Locked" and what opens it, unless the settings open every level.
// Choosing one starts it; Back, Escape or the pad's B button return to the menu. Previous and Next, Page Up
// and Page Down, Home and End, the mouse wheel and the pad's shoulder buttons turn the pages.
//
// Only the levels on the page shown are checked, on the catalogue's own thread: a level still being
// checked says so, and one chosen meanwhile starts once its check finds it playable. A level whose file is
// gone or changed when it is chosen is not started: the line under the title says why, and the list shows
// the folder as it is now. Every row's text is cut, letter by letter with an ellipsis, to fit the row as
// the font draws it at the window's size.
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
                                 bool shipped, Difficulty difficulty);
    // "Normal: Silver medal, best 1:02.3, won 2 times" (no medal on a level without medal times, or for a
    // time slower than bronze), "Normal: assisted at 70 %, best 1:12.3, won 1 time" for a best won at a
    // slower game speed, or "Normal: not won yet".
    static std::string recordText(const LevelCatalog::Details& details, Difficulty difficulty);
    // What a locked level's row says after its name: "Locked: win The Farmhouse to open it".
    static std::string lockedText(const std::string& previousName);
    // The same line in two parts: what may be cut first when the line is too long (the names), and the
    // rest (the record, or the reason a level cannot be played).
    static std::pair<std::string, std::string> entryParts(const LevelCatalog::Details& details,
                                                          const std::string& fileName, bool shipped,
                                                          Difficulty difficulty);
    // The UTF-8 text as the list shows it within `width` pixels drawn with `font` at `size`: control
    // characters are left out (a line break or a tab becomes a space, bytes that are not UTF-8 a "?"), and
    // a text too wide is cut after a whole letter and ends in an ellipsis.
    static std::string fitted(const std::string& utf8, const sf::Font& font, unsigned size, float width);
    // Two parts on one line: the first keeps at least half the width when the second needs more.
    static std::string fittedParts(const std::string& first, const std::string& second, const sf::Font& font,
                                   unsigned size, float width);
    // The width of the UTF-8 text drawn with `font` at `size`.
    static float widthOf(const std::string& utf8, const sf::Font& font, unsigned size);

    // Shows the page holding entry `first` (clamped to the last page).
    void showPage(std::size_t first);
    void turnPageByPad(const Gamepad& pad);
    std::size_t pageCount() const;
    // Whether every level on the page shown has been checked.
    bool pageChecked();

    ui::Gui gui;
    // The lessons rather than the levels.
    bool practice = false;
    std::optional<LevelCatalog> catalog;
    std::size_t firstShown = 0;
    // One button per row of the page; rows past the last level are hidden.
    std::vector<std::shared_ptr<ui::Button>> entryButtons;
    std::shared_ptr<ui::Button> previousButton;
    std::shared_ptr<ui::Button> nextButton;
    std::shared_ptr<ui::Button> backButton;
    std::shared_ptr<ui::Label> pageLabel;
    // Why the level chosen did not start, or that it starts once checked; empty otherwise.
    std::shared_ptr<ui::Label> statusLabel;
    // The level chosen while it was being checked: it starts once it is found playable.
    std::optional<std::size_t> waitingFor;

private:
    struct Row {
        std::string first, second; // entryParts(), or the file name and "checking..."
        bool ready = false;
        bool playable = false;
        bool locked = false;
    };

    // A shipped level not yet opened, while the option that opens every level is off: it cannot be started.
    bool locked(std::size_t index) const;
    // The row of a level that has been checked.
    Row checkedRow(std::size_t index, const LevelCatalog::Details& details);

    void buildWidgets();
    // Where the status line starts: right of the title.
    float statusLeft = 0.0f;
    void openCatalog();
    std::shared_ptr<ui::Button> makeButton(const std::string& text, sf::FloatRect area, unsigned textSize);
    // Looks the page's levels up again; true when they have all been checked.
    bool refreshRows();
    // Cuts the rows' and the status line's text to fit at the window's present size.
    void fitTexts();
    void say(const std::string& status);
    bool wantsBack(const sf::Event& event) const;
    // Page keys, the wheel and the shoulder buttons.
    bool turnsPage(const sf::Event& event);
    void choose(std::size_t index);
    void start(std::size_t index);
    // The folder listed afresh, on the same page as far as it goes.
    void relist();

    std::shared_ptr<GameObject> background;
    std::shared_ptr<GameObject> camera;
    sf::RectangleShape panel;
    std::vector<Row> rows;
    std::string status;
    float fittedScale = 0.0f; // the window scale the texts were last fitted at
    std::optional<std::size_t> chosen;
    bool backChosen = false;
};
