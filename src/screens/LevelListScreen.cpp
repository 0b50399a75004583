#include "screens/LevelListScreen.hpp"

#include "app/GameStateManager.hpp"
#include "app/InputManager.hpp"
#include "app/Letterbox.hpp"
#include "app/SceneRegistries.hpp"
#include "assets/AssetManager.hpp"
#include "screens/MenuFocus.hpp"
#include "screens/MenuPalette.hpp"
#include "screens/RunClock.hpp"
#include "screens/ScreenPicture.hpp"

#include <filesystem>

namespace {
const char* const kFontFile = "Assets/arial.ttf";

constexpr float kLeft = 70.0f;
constexpr float kWidth = 660.0f;
constexpr float kFirstRowTop = 100.0f;
constexpr float kRowHeight = 50.0f;
constexpr float kRowPitch = 58.0f;
constexpr float kFooterTop = 520.0f;
} // namespace

std::string LevelListScreen::entryText(const LevelCatalog::Details& details, const std::string& fileName,
                                       bool shipped, Settings::Difficulty difficulty) {
    if (!details.playable()) {
        return fileName + ": " + details.problem;
    }
    const std::string name =
        shipped || details.name == fileName ? details.name : details.name + " (" + fileName + ")";
    return name + "   " + recordText(details, difficulty);
}

std::string LevelListScreen::recordText(const LevelCatalog::Details& details,
                                        Settings::Difficulty difficulty) {
    const std::string played = Settings::titleOf(difficulty) + ": ";
    const auto record = details.records.find(difficulty);
    if (record == details.records.end()) {
        return played + "not won yet";
    }
    const int wins = record->second.wins;
    return played + "best " + RunClock::format(record->second.bestSeconds) + ", won " + std::to_string(wins) +
           (wins == 1 ? " time" : " times");
}

void LevelListScreen::init() {
    background =
        ScreenPicture::makePicture("startScreen", "background", "startScreen", "Assets/startScreen.png");
    if (background) {
        camera = ScreenPicture::makeCamera(background);
    }
    GameStateManager* game = GameStateManager::getInstance();
    if (game->window) {
        gui.setTarget(*game->window);
    }
    gui.setAbsoluteView(Letterbox::pictureArea());
    gui.setFont(kFontFile);
    panel.setPosition(kLeft - 20.0f, 30.0f);
    panel.setSize({kWidth + 40.0f, 550.0f});
    panel.setFillColor(MenuPalette::nightBlue(248));
    panel.setOutlineColor(MenuPalette::kGold);
    panel.setOutlineThickness(2.0f);
    catalog.emplace(LevelCatalog::defaultPlayerFolder(), game->recordsPath);
    buildWidgets();
    showPage(0);
    MenuFocus::restore(gui, GameStateManager::kLevelListScreen);
}

std::shared_ptr<ui::Button> LevelListScreen::makeButton(const std::string& text, sf::FloatRect area,
                                                        unsigned textSize) {
    auto button = ui::Button::create(text);
    button->setPosition({area.left, area.top});
    button->setSize({area.width, area.height});
    button->setTextSize(textSize);
    auto style = button->getRenderer();
    style->setBackgroundColor(MenuPalette::nightBlue(224));
    style->setBackgroundColorHover(MenuPalette::kHoverBlue);
    style->setBackgroundColorDown(sf::Color(11, 17, 40));
    style->setBorderColor(MenuPalette::kGold);
    style->setBorderColorHover(MenuPalette::kPaleGold);
    style->setBorders(2.0f);
    style->setTextColor(MenuPalette::kCream);
    style->setTextColorHover(sf::Color::White);
    style->setColor("TextColorDisabled", sf::Color(140, 140, 150));
    style->setColor("BorderColorDisabled", sf::Color(90, 90, 100));
    style->setColor("BackgroundColorDisabled", sf::Color(30, 32, 40, 224));
    gui.add(button);
    return button;
}

void LevelListScreen::buildWidgets() {
    auto title = ui::Label::create("Levels");
    title->setPosition({kLeft, 44.0f});
    title->setTextSize(30);
    title->getRenderer()->setTextColor(MenuPalette::kGold);
    gui.add(title);
    for (std::size_t row = 0; row < kRowsPerPage; ++row) {
        auto button = makeButton("", {kLeft, kFirstRowTop + row * kRowPitch, kWidth, kRowHeight}, 18);
        button->onClick.connect([this, row] { chosen = firstShown + row; });
        entryButtons.push_back(button);
    }
    previousButton = makeButton("Previous", {kLeft, kFooterTop, 150.0f, 40.0f}, 18);
    previousButton->onClick.connect([this] { showPage(firstShown - kRowsPerPage); });
    nextButton = makeButton("Next", {kLeft + 170.0f, kFooterTop, 150.0f, 40.0f}, 18);
    nextButton->onClick.connect([this] { showPage(firstShown + kRowsPerPage); });
    backButton = makeButton("Back", {kLeft + kWidth - 150.0f, kFooterTop, 150.0f, 40.0f}, 18);
    backButton->onClick.connect([this] { backChosen = true; });
    pageLabel = ui::Label::create("");
    pageLabel->setPosition({kLeft + 340.0f, kFooterTop + 10.0f});
    pageLabel->setTextSize(16);
    pageLabel->getRenderer()->setTextColor(MenuPalette::kCream);
    gui.add(pageLabel);
}

void LevelListScreen::showPage(std::size_t first) {
    firstShown = first;
    for (std::size_t row = 0; row < kRowsPerPage; ++row) {
        const std::size_t index = first + row;
        const bool shown = index < catalog->size();
        entryButtons[row]->setVisible(shown);
        if (!shown) {
            continue;
        }
        const LevelCatalog::Details& details = catalog->details(index);
        const std::string fileName = std::filesystem::path(catalog->path(index)).filename().string();
        entryButtons[row]->setText(entryText(details, fileName, catalog->shipped(index),
                                             GameStateManager::getInstance()->settings.difficulty));
        entryButtons[row]->setTextSize(details.playable() ? 18 : 14);
        entryButtons[row]->setEnabled(details.playable());
    }
    previousButton->setEnabled(first > 0);
    nextButton->setEnabled(first + kRowsPerPage < catalog->size());
    const std::size_t pages = (catalog->size() + kRowsPerPage - 1) / kRowsPerPage;
    pageLabel->setText("Page " + std::to_string(first / kRowsPerPage + 1) + " of " + std::to_string(pages));
}

void LevelListScreen::exit() {
    SceneRegistries::dispose();
}

bool LevelListScreen::wantsBack(const sf::Event& event) const {
    return event.type == sf::Event::KeyPressed && event.key.code == sf::Keyboard::Escape;
}

void LevelListScreen::update(float) {
    GameStateManager* game = GameStateManager::getInstance();
    if (game->window) {
        gui.setRelativeViewport(Letterbox::viewport(game->window->getSize()));
    }
    // Copy: the list is the manager's, and a choice switches screens only after the loop.
    const std::vector<sf::Event> events = game->lastEvents;
    for (const sf::Event& event : events) {
        backChosen = backChosen || wantsBack(event);
        gui.handleEvent(event);
    }
    const Gamepad& pad = InputManager::getInstance()->gamepad;
    backChosen = backChosen || pad.isPressed("BACK");
    for (const ui::Gui::Move move : pad.menuMoves()) {
        gui.move(move);
    }
    if (chosen && *chosen < catalog->size() && catalog->details(*chosen).playable()) {
        AssetManager::getInstance()->playSoundIfLoaded("buttonClick");
        game->mapPath = catalog->path(*chosen);
        game->setState(GameStateManager::kIngameScreen);
        return;
    }
    chosen.reset();
    if (backChosen) {
        game->setState(GameStateManager::kStartScreen);
    }
}

void LevelListScreen::draw(sf::RenderWindow& window) {
    if (camera) {
        camera->draw(window);
        background->draw(window);
    }
    sf::View picture(Letterbox::pictureArea());
    picture.setViewport(Letterbox::viewport(window.getSize()));
    window.setView(picture);
    window.draw(panel);
    gui.setRelativeViewport(Letterbox::viewport(window.getSize()));
    gui.draw();
}

void LevelListScreen::handleInput(float) {}
