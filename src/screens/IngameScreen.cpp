#include "screens/IngameScreen.hpp"

#include "app/GameStateManager.hpp"
#include "app/InputManager.hpp"
#include "app/RealtimeInput.hpp"
#include "app/SceneRegistries.hpp"
#include "assets/AssetManager.hpp"
#include "components/DeathComponent.hpp"
#include "components/LayEggComponent.hpp"
#include "physics/PhysicsManager.hpp"
#include "scene/GameObjectManager.hpp"
#include "scene/RenderManager.hpp"
#include "scene/StaticCmp.hpp"
#include "ui/BitmapButton.hpp"

#include <SFML/System/Err.hpp>
#include <sstream>

namespace {
const sf::Vector2f kPauseOffset{120.0f, 50.0f};
} // namespace

void IngameScreen::init() {
    AssetManager::getInstance()->loadTexture("dogAngry", "Assets/dogAngry.png");
    levelReady = loadLevel();
    if (!levelReady) {
        return;
    }
    bindPlayerKeys();
    buildHud();
    buildPausePicture();
}

bool IngameScreen::loadLevel() {
    if (!AssetManager::getInstance()->hasTexture("dogAngry")) {
        sf::err() << "Pellowick: Assets/dogAngry.png is missing or unreadable" << std::endl;
        return false;
    }
    GameObjectManager* objects = GameObjectManager::getInstance();
    if (!objects->loadMap(GameStateManager::getInstance()->mapPath, {0.0f, 0.0f})) {
        return false;
    }
    player = objects->getGameObject("player1");
    camera = objects->getGameObject("camera");
    for (int i = 1; i <= kDogCount; ++i) {
        dogs.push_back(objects->getGameObject("enemy" + std::to_string(i)));
    }
    for (int i = 1; i <= kEggCount; ++i) {
        eggs.push_back(objects->getGameObject("egg" + std::to_string(i)));
    }
    playerLife = player->getComponent<DeathComponent>();
    playerEggs = player->getComponent<LayEggComponent>();
    return true;
}

void IngameScreen::bindPlayerKeys() {
    InputManager* input = InputManager::getInstance();
    const std::string& owner = player->name;
    input->bindAction("LEFT", sf::Keyboard::A, owner);
    input->bindAction("RIGHT", sf::Keyboard::D, owner);
    input->bindAction("UP", sf::Keyboard::W, owner);
    input->bindAction("DOWN", sf::Keyboard::S, owner);
    input->bindAction("LAY", sf::Keyboard::E, owner);
    input->bindAction("PAUSE", sf::Keyboard::Escape, owner);
}

void IngameScreen::buildHud() {
    eggCounter = ui::Button::create("");
    eggCounter->setText("0x");
    eggCounter->setPosition({-25.0f, -5.0f});
    eggCounter->setTextSize(50);
    eggCounter->getRenderer()->setTextColor(sf::Color::White);
    eggCounter->getRenderer()->setBackgroundColor(sf::Color::Transparent);
    eggCounter->getRenderer()->setBorderColor(sf::Color::Transparent);
    if (sf::RenderWindow* window = GameStateManager::getInstance()->window) {
        gui.setTarget(*window);
    }
    sf::Font font;
    if (font.loadFromFile("Assets/arial.ttf")) {
        gui.setFont(font);
    }
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

void IngameScreen::buildPausePicture() {
    AssetManager* assets = AssetManager::getInstance();
    assets->loadTexture("pause", "Assets/pause.png");
    pauseObject = std::make_shared<GameObject>("pause", "pause", sf::Vector2f(50.0f, 550.0f));
    if (assets->hasTexture("pause")) {
        pauseObject->addComponent(std::make_shared<StaticCmp>(pauseObject.get(), assets->getTexture("pause"),
                                                              sf::Vector2f(0.5f, 0.5f), "pause", false));
    }
}

void IngameScreen::exit() {
    SceneRegistries::dispose();
}

void IngameScreen::handleInput(float dt) {
    GameStateManager* game = GameStateManager::getInstance();
    if (!levelReady) {
        // The map could not be played; the reasons are on the error stream.
        game->setState(GameStateManager::kStartScreen);
        return;
    }
    const bool levelOver = game->levelComplete || playerDead;
    if (!levelOver && InputManager::getInstance()->isActionPressed("PAUSE", player->name)) {
        paused = !paused;
    }
    if (!paused) {
        player->update(dt);
    }
    if (playerDead || game->levelComplete) {
        game->setState(GameStateManager::kEndScreen);
        return;
    }
}

void IngameScreen::update(float dt) {
    if (!levelReady) {
        return;
    }
    std::ostringstream counter;
    counter << playerEggs->eggStock.size() << "x";
    eggCounter->setText(counter.str());

    if (paused) {
        pauseObject->setPosition(player->getPosition() - kPauseOffset);
        return;
    }
    for (const auto& dog : dogs) {
        dog->update(dt);
        if (!playerLife->alive) {
            playerDead = true;
            break;
        }
    }
    for (const auto& egg : eggs) {
        egg->update(dt);
    }
    PhysicsManager::getInstance()->update();
}

void IngameScreen::draw(sf::RenderWindow& window) {
    if (!levelReady) {
        return;
    }
    const sf::Vector2i mouse = RealtimeInput::mousePosition(window);
    const sf::Vector2f world = window.mapPixelToCoords(mouse);
    GameObjectManager::getInstance()->mouseWorldPosition = {static_cast<int>(world.x),
                                                            static_cast<int>(world.y)};
    camera->draw(window);
    RenderManager::getInstance()->draw(&window);
    gui.draw();
    if (paused) {
        pauseObject->draw(window);
    }
}
