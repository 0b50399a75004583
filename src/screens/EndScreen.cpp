#include "screens/EndScreen.hpp"

#include "app/GameStateManager.hpp"
#include "app/InputManager.hpp"
#include "app/Letterbox.hpp"
#include "app/SceneRegistries.hpp"
#include "assets/FileCheck.hpp"
#include "input/RealtimeInput.hpp"
#include "screens/RunClock.hpp"
#include "screens/ScreenPicture.hpp"

#include <SFML/Graphics/Font.hpp>

namespace {
// Under the won picture's title, in its colours.
const sf::Vector2f kTimeLinePosition{40.0f, 520.0f};
const unsigned kTimeLineTextSize = 40;
const sf::Color kTimeLineColour(255, 244, 214);
} // namespace

void EndScreen::init() {
    wonPicture = ScreenPicture::makePicture("wonScreen", "wonScreen", "wonScreen", "Assets/won.png");
    lostPicture = ScreenPicture::makePicture("lostScreen", "lostScreen", "lostScreen", "Assets/lost.png");
    if (wonPicture) {
        camera = ScreenPicture::makeCamera(wonPicture);
    } else if (lostPicture) {
        camera = ScreenPicture::makeCamera(lostPicture);
    }
    buildTimeLine();
}

void EndScreen::buildTimeLine() {
    const GameStateManager* game = GameStateManager::getInstance();
    timeLine = ui::Label::create("Time " + RunClock::format(game->runSeconds) +
                                 (game->newBest ? "   New best" : ""));
    timeLine->setTextSize(kTimeLineTextSize);
    timeLine->getRenderer()->setTextColor(kTimeLineColour);
    timeLine->setPosition(kTimeLinePosition);
    if (game->window) {
        gui.setTarget(*game->window);
    }
    gui.setAbsoluteView(Letterbox::pictureArea());
    sf::Font font;
    if (FileCheck::mayRead("Assets/arial.ttf") && font.loadFromFile("Assets/arial.ttf")) {
        gui.setFont(font);
    }
    gui.add(timeLine, "time");
}

void EndScreen::exit() {
    SceneRegistries::dispose();
}

void EndScreen::update(float) {}

void EndScreen::draw(sf::RenderWindow& window) {
    const auto& picture = GameStateManager::getInstance()->won ? wonPicture : lostPicture;
    if (!camera || !picture) {
        return;
    }
    camera->draw(window);
    picture->draw(window);
    if (GameStateManager::getInstance()->won) {
        gui.setRelativeViewport(Letterbox::viewport(window.getSize()));
        gui.draw();
    }
}

void EndScreen::handleInput(float) {
    const bool nothingToShow = !wonPicture && !lostPicture;
    GameStateManager* game = GameStateManager::getInstance();
    const Gamepad& pad = InputManager::getInstance()->gamepad;
    if (nothingToShow || RealtimeInput::isKeyPressed(sf::Keyboard::Space) || pad.isPressed("ACCEPT") ||
        pad.isPressed("PAUSE")) {
        game->setState(GameStateManager::kStartScreen);
        return;
    }
    if (RealtimeInput::isKeyPressed(game->settings.key("RESTART")) || pad.isPressed("RESTART")) {
        game->setState(GameStateManager::kIngameScreen);
        return;
    }
}
