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
// Smaller than the picture's lines, so that it fits the band between them.
const unsigned kTimeLineTextSize = 24;
const sf::Color kTimeLineColour(255, 244, 214);

// Down in this frame and not in the previous one, nor when the screen opened.
bool newlyPressed(sf::Keyboard::Key key, bool& wasDown) {
    const bool down = RealtimeInput::isKeyPressed(key);
    const bool pressed = down && !wasDown;
    wasDown = down;
    return pressed;
}
} // namespace

std::string EndScreen::timeText(double seconds, const std::string& difficulty, bool kept, bool best) {
    const std::string time = "Time " + RunClock::format(seconds) + " on " + difficulty;
    if (!kept) {
        return time + " (could not be saved)";
    }
    return best ? time + "   New best" : time;
}

void EndScreen::init() {
    wonPicture = ScreenPicture::makePicture("wonScreen", "wonScreen", "wonScreen", "Assets/won.png");
    lostPicture = ScreenPicture::makePicture("lostScreen", "lostScreen", "lostScreen", "Assets/lost.png");
    if (wonPicture) {
        camera = ScreenPicture::makeCamera(wonPicture);
    } else if (lostPicture) {
        camera = ScreenPicture::makeCamera(lostPicture);
    }
    buildTimeLine();
    // A key held as the level ended is not a choice made on this screen.
    spaceWasDown = RealtimeInput::isKeyPressed(sf::Keyboard::Space);
    restartWasDown = RealtimeInput::isKeyPressed(GameStateManager::getInstance()->settings.key("RESTART"));
}

void EndScreen::buildTimeLine() {
    const GameStateManager* game = GameStateManager::getInstance();
    if (game->window) {
        gui.setTarget(*game->window);
    }
    gui.setAbsoluteView(Letterbox::pictureArea());
    sf::Font font;
    if (FileCheck::mayRead("Assets/arial.ttf") && font.loadFromFile("Assets/arial.ttf")) {
        gui.setFont(font); // before the line is made: it is measured to be centred
    }
    timeLine = ui::Label::create(timeText(game->runSeconds, Settings::titleOf(game->settings.difficulty),
                                          game->winKept, game->newBest));
    timeLine->setTextSize(kTimeLineTextSize);
    timeLine->getRenderer()->setTextColor(kTimeLineColour);
    gui.add(timeLine, "time");
    const sf::Vector2f size = timeLine->getSize();
    timeLine->setPosition({(Letterbox::kPictureWidth - size.x) / 2.0f, kTimeLineMiddle - size.y / 2.0f});
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
    if (nothingToShow || newlyPressed(sf::Keyboard::Space, spaceWasDown) || pad.isPressed("ACCEPT") ||
        pad.isPressed("PAUSE")) {
        game->setState(GameStateManager::kStartScreen);
        return;
    }
    if (newlyPressed(game->settings.key("RESTART"), restartWasDown) || pad.isPressed("RESTART")) {
        game->setState(GameStateManager::kIngameScreen);
        return;
    }
}
