#include "screens/PictureScreen.hpp"

#include "app/GameStateManager.hpp"
#include "app/InputManager.hpp"
#include "app/SceneRegistries.hpp"
#include "input/RealtimeInput.hpp"
#include "screens/ScreenPicture.hpp"

PictureScreen::PictureScreen(std::string textureName, std::string file)
    : textureName(std::move(textureName)), file(std::move(file)) {}

void PictureScreen::init() {
    background = ScreenPicture::makePicture(textureName, "background", textureName, file);
    pictureMissing = background == nullptr;
    if (pictureMissing) {
        return;
    }
    camera = ScreenPicture::makeCamera(background);
}

void PictureScreen::exit() {
    SceneRegistries::dispose();
}

void PictureScreen::update(float) {}

void PictureScreen::draw(sf::RenderWindow& window) {
    if (pictureMissing) {
        return;
    }
    camera->draw(window);
    background->draw(window);
}

void PictureScreen::handleInput(float) {
    // Without its picture the screen has nothing to show: back to the menu.
    if (pictureMissing || RealtimeInput::isKeyPressed(sf::Keyboard::Escape) ||
        InputManager::getInstance()->gamepad.isPressed("BACK")) {
        GameStateManager::getInstance()->setState(GameStateManager::kStartScreen);
        return;
    }
}
