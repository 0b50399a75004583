#include "hud/TitleCard.hpp"

#include "app/InputManager.hpp"
#include "app/Letterbox.hpp"
#include "screens/MenuPalette.hpp"
#include "storage/Settings.hpp"
#include "ui/TextFit.hpp"

#include <algorithm>
#include <sstream>

namespace {
// A card in the menu's colours, in the upper middle of the picture, clear of the egg counter and the clock.
const float kCardWidth = 560.0f;
const float kCardTop = 150.0f;
const float kPadding = 22.0f;
const unsigned kTitleSize = 34;
const unsigned kIntroSize = 20;
const float kLineGap = 6.0f;
const float kBarHeight = 4.0f;
const sf::Uint8 kCardOpacity = 230;

std::vector<std::string> wordsOf(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    return words;
}

bool isMove(const std::string& action) {
    return action == "LEFT" || action == "RIGHT" || action == "UP" || action == "DOWN";
}

// A move held counts at once, so the key that starts play also moves the player in that frame; other
// actions count when pressed, never a key still held from the menu.
bool playerActs(const std::string& playerName) {
    InputManager* input = InputManager::getInstance();
    for (const std::string& action : Settings::actions()) {
        if (isMove(action) ? input->isActionDown(action, playerName)
                           : input->isActionPressed(action, playerName)) {
            return true;
        }
    }
    return input->isActionPressed("ESCAPE", playerName);
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}
} // namespace

void TitleCard::build(sf::RenderWindow* window, const std::string& title, const std::string& intro) {
    if (window) {
        gui.setTarget(*window);
    }
    gui.setAbsoluteView(Letterbox::pictureArea());
    gui.setFont("Assets/arial.ttf"); // the lines are measured to be centred and wrapped
    const float cardLeft = (Letterbox::kPictureWidth - kCardWidth) / 2.0f;
    card = ui::Label::create();
    card->getRenderer()->setBackgroundColor(MenuPalette::nightBlue(kCardOpacity));
    card->getRenderer()->setBorders({2.0f, 2.0f, 2.0f, 2.0f});
    card->getRenderer()->setBorderColor(MenuPalette::kGold);
    gui.add(card, "titleCard");

    float top = kCardTop + kPadding;
    const float room = kCardWidth - 2.0f * kPadding;
    const sf::Font* font = gui.getFont();
    const auto fitted = [&](const std::string& text, unsigned size) {
        return font ? ui::TextFit::wrap(wordsOf(text), " ", *font, size, room) : text;
    };
    for (const std::string& line : linesOf(fitted(title, kTitleSize))) {
        top += addLine(line, kTitleSize, MenuPalette::kGold, top)->getSize().y + kLineGap;
    }
    top += kLineGap;
    for (const std::string& line : linesOf(fitted(intro, kIntroSize))) {
        top += addLine(line, kIntroSize, MenuPalette::kCream, top)->getSize().y + kLineGap;
    }
    top += kPadding - kLineGap;
    card->setPosition({cardLeft, kCardTop});
    card->setSize({kCardWidth, top + kBarHeight - kCardTop});
    barWidth = kCardWidth - 4.0f;
    timeBar.setPosition(cardLeft + 2.0f, top - 2.0f);
    timeBar.setSize({barWidth, kBarHeight});
    timeBar.setFillColor(MenuPalette::kPaleGold);
}

std::shared_ptr<ui::Label> TitleCard::addLine(const std::string& text, unsigned size, sf::Color colour,
                                              float top) {
    auto line = ui::Label::create(text);
    line->setTextSize(size);
    line->getRenderer()->setTextColor(colour);
    gui.add(line);
    line->setPosition({(Letterbox::kPictureWidth - line->getSize().x) / 2.0f, top});
    texts.push_back(line);
    return line;
}

void TitleCard::update(float dt, const std::string& playerName) {
    if (!showing) {
        return;
    }
    left -= dt;
    showing = !playerActs(playerName) && left > 0.0f;
    timeBar.setSize({barWidth * std::max(0.0f, left) / kSeconds, kBarHeight});
}

void TitleCard::draw(sf::RenderWindow& window) {
    if (!showing || !card) {
        return;
    }
    const sf::FloatRect viewport = Letterbox::viewport(window.getSize());
    gui.setRelativeViewport(viewport);
    gui.draw();
    sf::View picture(Letterbox::pictureArea());
    picture.setViewport(viewport);
    const sf::View level = window.getView();
    window.setView(picture);
    window.draw(timeBar);
    window.setView(level);
}

std::vector<std::string> TitleCard::lines() const {
    std::vector<std::string> shownLines;
    for (const auto& text : texts) {
        shownLines.push_back(text->getText());
    }
    return shownLines;
}
