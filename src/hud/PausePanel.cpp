#include "hud/PausePanel.hpp"

#include "app/InputManager.hpp"
#include "app/Letterbox.hpp"
#include "assets/AssetManager.hpp"
#include "i18n/Translator.hpp"
#include "input/ActionLabel.hpp"
#include "scene/StaticCmp.hpp"
#include "screens/MenuPalette.hpp"
#include "storage/Settings.hpp"
#include "ui/TextFit.hpp"

#include <algorithm>

namespace {
const sf::Vector2f kPauseOffset{120.0f, 50.0f};
// The pause picture as drawn in the world: 480x200 at half size.
const sf::Vector2f kPauseSize{240.0f, 100.0f};
// Where in the pause picture the key line is centred, and how it looks.
const sf::Vector2f kPauseKeysCentre{120.0f, 72.0f};
const unsigned kPauseKeysTextSize = 26;
const unsigned kSmallestPauseKeysTextSize = 14;
// The key line keeps this much of the pause picture's width (in world units) free at its sides.
const float kPauseKeysInset = 16.0f;
const sf::Color kPauseKeysColour(232, 238, 255);
// The key list along the bottom, in the menu's colours over a see-through night blue, as the goal line.
const unsigned kBoundKeysTextSize = 17;
const float kBoundKeysBorder = 8.0f;
const float kBoundKeysMargin = 12.0f;
const sf::Uint8 kBoundKeysOpacity = 200;
} // namespace

void PausePanel::build(sf::RenderWindow* window) {
    AssetManager* assets = AssetManager::getInstance();
    assets->loadTexture("pause", "Assets/pause.png");
    pauseObject = std::make_shared<GameObject>("pause", "pause", sf::Vector2f(50.0f, 550.0f));
    if (assets->hasTexture("pause")) {
        pauseObject->addComponent(std::make_shared<StaticCmp>(pauseObject.get(), assets->getTexture("pause"),
                                                              sf::Vector2f(0.5f, 0.5f), "pause", false));
    }
    pauseKeys = ui::Label::create();
    pauseKeys->setTextSize(kPauseKeysTextSize);
    pauseKeys->getRenderer()->setTextColor(kPauseKeysColour);
    if (window) {
        pauseGui.setTarget(*window);
    }
    pauseGui.setAbsoluteView(Letterbox::pictureArea());
    pauseGui.add(pauseKeys, "pauseKeys");

    pauseGui.setFont("Assets/arial.ttf"); // the line below is measured as it is placed
    boundKeys = ui::Label::create();
    boundKeys->setTextSize(kBoundKeysTextSize);
    boundKeys->getRenderer()->setTextColor(MenuPalette::kCream);
    boundKeys->getRenderer()->setBackgroundColor(MenuPalette::nightBlue(kBoundKeysOpacity));
    boundKeys->getRenderer()->setBorders({kBoundKeysBorder, 4.0f, kBoundKeysBorder, 4.0f});
    pauseGui.add(boundKeys, "boundKeys");
    listBoundKeys();
}

void PausePanel::show(const sf::View& view, sf::Vector2f playerPosition) {
    // Near the player, but moved inside the view where it would stick out of it.
    const sf::Vector2f viewCorner = view.getCenter() - view.getSize() / 2.0f;
    const sf::Vector2f wanted = playerPosition - kPauseOffset;
    const sf::Vector2f farthest = viewCorner + view.getSize() - kPauseSize;
    pauseObject->setPosition({std::clamp(wanted.x, viewCorner.x, std::max(viewCorner.x, farthest.x)),
                              std::clamp(wanted.y, viewCorner.y, std::max(viewCorner.y, farthest.y))});
    // The keys or the pad's buttons, as the player used last.
    listBoundKeys();
    placePauseKeys(view);
}

void PausePanel::listBoundKeys() {
    // TRANSLATORS: the line under the pause picture; {1}, {2}, {3} are keys or pad buttons. It must fit
    // about 45 letters with the keys.
    const std::string continueKeys =
        fill(tr("{1} continue     {2} restart     {3} menu"),
             {ActionLabel::of("PAUSE"), ActionLabel::of("RESTART"), ActionLabel::of("MENU")});
    std::vector<std::string> pieces;
    const bool onPad = InputManager::getInstance()->gamepad.wasUsedLast();
    for (const std::string& action : Settings::actions()) {
        // On a pad one stick makes the four moves.
        if (onPad && (action == "RIGHT" || action == "UP" || action == "DOWN")) {
            continue;
        }
        const std::string name = onPad && action == "LEFT" ? "MOVE" : action;
        pieces.push_back(ActionLabel::capitalName(name) + " " + ActionLabel::of(action));
    }
    const std::string keys = fitted(pieces);
    if (keys == listedKeys && continueKeys == pauseKeys->getText()) {
        return;
    }
    listedKeys = keys;
    pauseKeys->setText(continueKeys);
    boundKeys->setText(keys);
    boundKeys->setPosition({(Letterbox::kPictureWidth - boundKeys->getSize().x) / 2.0f,
                            Letterbox::kPictureHeight - boundKeys->getSize().y - kBoundKeysMargin});
}

std::string PausePanel::fitted(const std::vector<std::string>& pieces) const {
    // Inside the picture with the strip's own borders, whatever the player bound: the picture is 800 wide
    // in every window, so this holds at every size.
    const float room = Letterbox::kPictureWidth - 2.0f * kBoundKeysMargin - 2.0f * kBoundKeysBorder;
    const sf::Font* font = pauseGui.getFont();
    if (!font) {
        return "";
    }
    return ui::TextFit::wrapEvenly(pieces, "    ", *font, kBoundKeysTextSize, room);
}

void PausePanel::placePauseKeys(const sf::View& view) {
    // The key line sits in the empty lower part of the pause picture, in the picture's coordinates.
    const sf::Vector2f viewCorner = view.getCenter() - view.getSize() / 2.0f;
    const sf::Vector2f scale(Letterbox::kPictureWidth / view.getSize().x,
                             Letterbox::kPictureHeight / view.getSize().y);
    const sf::Vector2f lineCentre = pauseObject->getPosition() + kPauseKeysCentre - viewCorner;
    // A pad's longer names ("Triangle restart") get smaller letters, to stay inside the picture.
    const float widest = (kPauseSize.x - kPauseKeysInset) * scale.x;
    pauseKeys->setTextSize(kPauseKeysTextSize);
    while (pauseKeys->getSize().x > widest && pauseKeys->getTextSize() > kSmallestPauseKeysTextSize) {
        pauseKeys->setTextSize(pauseKeys->getTextSize() - 1);
    }
    const sf::Vector2f size = pauseKeys->getSize();
    pauseKeys->setPosition({lineCentre.x * scale.x - size.x / 2.0f, lineCentre.y * scale.y - size.y / 2.0f});
}

void PausePanel::draw(sf::RenderWindow& window, const sf::FloatRect& viewport) {
    pauseObject->draw(window);
    pauseGui.setRelativeViewport(viewport);
    pauseGui.draw();
}
