#include "screens/EndScreen.hpp"

#include "app/GameStateManager.hpp"
#include "app/InputManager.hpp"
#include "app/RealtimeInput.hpp"
#include "app/SceneRegistries.hpp"
#include "screens/ScreenPicture.hpp"

void EndScreen::init() {
    wonPicture = ScreenPicture::makePicture("wonScreen", "wonScreen", "wonScreen", "Assets/won.png");
    lostPicture = ScreenPicture::makePicture("lostScreen", "lostScreen", "lostScreen", "Assets/lost.png");
    if (wonPicture) {
        camera = ScreenPicture::makeCamera(wonPicture);
    } else if (lostPicture) {
        camera = ScreenPicture::makeCamera(lostPicture);
    }
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
