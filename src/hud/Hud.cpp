#include "hud/Hud.hpp"

#include "app/Letterbox.hpp"
#include "assets/AssetManager.hpp"
#include "common/FileCheck.hpp"
#include "hud/RunClock.hpp"
#include "i18n/Translator.hpp"
#include "screens/MenuPalette.hpp"
#include "ui/BitmapButton.hpp"

namespace {
// The goal line: top centre, between the egg counter and the clock, light text on a dark strip so it reads
// over any ground.
const unsigned kGoalTextSize = 22;
const float kGoalMargin = 12.0f;
const sf::Uint8 kGoalBackOpacity = 200;
// TRANSLATORS: the goal line at the top of the level; it must fit about 30 letters.
const char* const kFindTheFormula = N_("Find the formula");
// TRANSLATORS: the goal line once the formula is carried; about 30 letters.
const char* const kBringItHome = N_("Bring it to the goal");
// The run's time in the top right corner, as large as the egg counter on the left.
const sf::Vector2f kClockPosition{620.0f, -5.0f};
const unsigned kClockTextSize = 50;

// A button that only shows its text: no frame, no fill.
std::shared_ptr<ui::Button> textOnly(const std::string& text, sf::Vector2f at, unsigned size) {
    auto button = ui::Button::create(text);
    button->setPosition(at);
    button->setTextSize(size);
    button->getRenderer()->setTextColor(sf::Color::White);
    button->getRenderer()->setBackgroundColor(sf::Color::Transparent);
    button->getRenderer()->setBorderColor(sf::Color::Transparent);
    return button;
}
} // namespace

void Hud::build(sf::RenderWindow* window) {
    if (window) {
        gui.setTarget(*window);
    }
    gui.setAbsoluteView(Letterbox::pictureArea());
    sf::Font font;
    if (FileCheck::mayRead("Assets/arial.ttf") && font.loadFromFile("Assets/arial.ttf")) {
        gui.setFont(font);
    }
    buildEggCounter();
    buildGoalLine();
    buildClock();
}

void Hud::buildEggCounter() {
    eggCounter = textOnly("0x", {-25.0f, -5.0f}, 50);
    gui.add(eggCounter, "");
    AssetManager* assets = AssetManager::getInstance();
    assets->loadTexture("eggAmount", "Assets/eggAmount.png");
    auto icon = ui::BitmapButton::create("");
    if (assets->hasTexture("eggAmount")) {
        icon->setImage(assets->getTexture("eggAmount"));
    }
    icon->setPosition({90.0f, 20.0f});
    icon->getRenderer()->setBackgroundColor(sf::Color::Transparent);
    icon->getRenderer()->setBorderColor(sf::Color::Transparent);
    gui.add(icon, "");
}

void Hud::buildGoalLine() {
    goalLine = ui::Label::create(tr(kFindTheFormula));
    goalLine->setTextSize(kGoalTextSize);
    goalLine->getRenderer()->setTextColor(MenuPalette::kCream);
    goalLine->getRenderer()->setBackgroundColor(MenuPalette::nightBlue(kGoalBackOpacity));
    goalLine->getRenderer()->setBorders({8.0f, 4.0f, 8.0f, 4.0f});
    goalLine->getRenderer()->setBorderColor(sf::Color::Transparent);
    gui.add(goalLine, "goal");
}

void Hud::buildClock() {
    clockText = textOnly(RunClock::format(0.0), kClockPosition, kClockTextSize);
    gui.add(clockText, "clock");
}

void Hud::show(std::size_t eggs, bool hasFormula, const std::string& clock) {
    eggCounter->setText(std::to_string(eggs) + "x");
    goalLine->setText(tr(hasFormula ? kBringItHome : kFindTheFormula));
    goalLine->setPosition({(Letterbox::kPictureWidth - goalLine->getSize().x) / 2.0f, kGoalMargin});
    clockText->setText(clock);
}

void Hud::draw(const sf::FloatRect& viewport) {
    gui.setRelativeViewport(viewport);
    gui.draw();
}
