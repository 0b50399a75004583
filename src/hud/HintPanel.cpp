#include "hud/HintPanel.hpp"

#include "app/InputManager.hpp"
#include "app/Letterbox.hpp"
#include "i18n/Translator.hpp"
#include "input/ActionLabel.hpp"
#include "map/LevelSchema.hpp"
#include "screens/MenuPalette.hpp"
#include "ui/TextFit.hpp"

#include <sstream>

namespace {
// Along the bottom of the picture, in the goal line's colours, where the pause strip shows the keys.
const unsigned kTextSize = 19;
const float kMargin = 12.0f;
const float kBorder = 10.0f;
const sf::Uint8 kOpacity = 215;

std::string moveKeys() {
    if (InputManager::getInstance()->gamepad.wasUsedLast()) {
        return ActionLabel::of("LEFT");
    }
    std::string keys;
    for (const char* move : {"UP", "LEFT", "DOWN", "RIGHT"}) {
        keys += (keys.empty() ? "" : " ") + ActionLabel::of(move);
    }
    return keys;
}
} // namespace

std::string HintPanel::withControls(const std::string& text) {
    std::string shownText;
    std::size_t from = 0;
    for (const std::string& action : LevelSchema::actionsNamedIn(text)) {
        const std::string named = "{" + action + "}";
        const std::size_t at = text.find(named, from);
        shownText += text.substr(from, at - from);
        if (action == LevelSchema::kMoveAction) {
            shownText += moveKeys();
        } else if (LevelSchema::isHintAction(action)) {
            shownText += ActionLabel::of(action);
        } else {
            shownText += named;
        }
        from = at + named.size();
    }
    return shownText + text.substr(from);
}

void HintPanel::build(sf::RenderWindow* window) {
    if (window) {
        gui.setTarget(*window);
    }
    gui.setAbsoluteView(Letterbox::pictureArea());
    gui.setFont("Assets/arial.ttf"); // the words are wrapped to the picture's width as they show
    strip = ui::Label::create();
    strip->setTextSize(kTextSize);
    strip->getRenderer()->setTextColor(MenuPalette::kCream);
    strip->getRenderer()->setBackgroundColor(MenuPalette::nightBlue(kOpacity));
    strip->getRenderer()->setBorders({kBorder, 6.0f, kBorder, 6.0f});
    strip->getRenderer()->setBorderColor(sf::Color::Transparent);
    gui.add(strip, "hint");
}

void HintPanel::update(sf::FloatRect playerBox, const std::vector<GameObjectManager::Hint>& hints) {
    for (const GameObjectManager::Hint& hint : hints) {
        if (hint.area.intersects(playerBox)) {
            show(withControls(tr(hint.text)));
            return;
        }
    }
    show("");
}

void HintPanel::show(const std::string& text) {
    // Rewrapped only when the words change: a rebound key or another hint.
    if (text == shown || !strip) {
        return;
    }
    shown = text;
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    const sf::Font* font = gui.getFont();
    const float room = Letterbox::kPictureWidth - 2.0f * kMargin - 2.0f * kBorder;
    strip->setText(font ? ui::TextFit::wrapEvenly(words, " ", *font, kTextSize, room) : text);
    strip->setPosition({(Letterbox::kPictureWidth - strip->getSize().x) / 2.0f,
                        Letterbox::kPictureHeight - strip->getSize().y - kMargin});
}

void HintPanel::draw(sf::RenderWindow& window) {
    if (shown.empty() || !strip) {
        return;
    }
    gui.setRelativeViewport(Letterbox::viewport(window.getSize()));
    gui.draw();
}
