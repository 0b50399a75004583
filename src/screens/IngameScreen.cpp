#include "screens/IngameScreen.hpp"

#include "app/GameStateManager.hpp"
#include "app/InputManager.hpp"
#include "app/Letterbox.hpp"
#include "app/SceneRegistries.hpp"
#include "assets/AssetManager.hpp"
#include "components/DeathComponent.hpp"
#include "components/EggComponent.hpp"
#include "components/EnemyMovement.hpp"
#include "components/LayEggComponent.hpp"
#include "components/MoveComponent.hpp"
#include "i18n/Translator.hpp"
#include "input/RealtimeInput.hpp"
#include "map/LevelSchema.hpp"
#include "physics/PhysicsManager.hpp"
#include "physics/RigidBodyComponent.hpp"
#include "scene/CameraComponent.hpp"
#include "scene/GameObjectManager.hpp"
#include "scene/RenderManager.hpp"
#include "scene/StaticCmp.hpp"
#include "storage/GhostFile.hpp"
#include "storage/RecordsFile.hpp"
#include "storage/Settings.hpp"

#include <SFML/System/Err.hpp>
#include <algorithm>
#include <cmath>

namespace {
const char* const kEscapeAction = "ESCAPE";
// A dog starting to chase is a short nudge on the pad; being caught a long, strong shake.
const float kChaseRumble = 0.4f;
const unsigned kChaseRumbleMs = 150;
const float kCaughtRumble = 1.0f;
const unsigned kCaughtRumbleMs = 600;
// The ghost: the player's picture, faded and cooled so it is never taken for the player.
const sf::Color kGhostTint(170, 215, 255, 120);
} // namespace

void IngameScreen::init() {
    AssetManager::getInstance()->loadTexture("dogAngry", "Assets/dogAngry.png");
    levelReady = loadLevel();
    if (!levelReady) {
        return;
    }
    bindPlayerKeys();
    hud.build(GameStateManager::getInstance()->window);
    pausePanel.build(GameStateManager::getInstance()->window);
    const GameObjectManager* objects = GameObjectManager::getInstance();
    // A shipped level's words are in the catalog; a player's own map shows its own.
    titleCard.build(GameStateManager::getInstance()->window, tr(objects->levelTitle),
                    tr(objects->levelIntro));
    hintPanel.build(GameStateManager::getInstance()->window);
}

bool IngameScreen::loadLevel() {
    if (!AssetManager::getInstance()->hasTexture("dogAngry")) {
        sf::err() << "Pellowick: " << fill(tr("{1} is missing or unreadable"), {"Assets/dogAngry.png"})
                  << std::endl;
        return false;
    }
    GameObjectManager* objects = GameObjectManager::getInstance();
    if (!objects->loadMap(GameStateManager::getInstance()->mapPath, {0.0f, 0.0f})) {
        return false;
    }
    player = objects->getGameObject(LevelSchema::kPlayerName);
    camera = objects->getGameObject(LevelSchema::kCameraName);
    const Difficulty difficulty = GameStateManager::getInstance()->settings.difficulty;
    const int speed = std::clamp(GameStateManager::getInstance()->settings.gameSpeed,
                                 RecordsFile::kSlowestSpeed, RecordsFile::kFullSpeed);
    speedShare = static_cast<float>(speed) / static_cast<float>(RecordsFile::kFullSpeed);
    for (int i = 1; i <= LevelSchema::kDogCount; ++i) {
        dogs.push_back(objects->getGameObject(LevelSchema::dogName(i)));
        if (auto movement = dogs.back()->getComponent<EnemyMovement>()) {
            movement->setDifficulty(difficulty);
        }
    }
    for (int i = 1; i <= LevelSchema::kEggCount; ++i) {
        eggs.push_back(objects->getGameObject(LevelSchema::eggName(i)));
        if (auto state = eggs.back()->getComponent<EggComponent>()) {
            state->timeScale = speedShare;
        }
    }
    if (auto movement = player->getComponent<MoveComponent>()) {
        movement->timeScale = speedShare;
    }
    playerLife = player->getComponent<DeathComponent>();
    playerEggs = player->getComponent<LayEggComponent>();
    levelKey = RecordsFile::levelKey(GameStateManager::getInstance()->mapPath);
    loadGhost();
    return true;
}

void IngameScreen::loadGhost() {
    const GameStateManager* game = GameStateManager::getInstance();
    // An assisted run races no one.
    if (game->settings.showGhost && speedShare == 1.0f) {
        ghost = GhostFile(game->ghostsFolder).load(levelKey, game->settings.difficulty);
    }
}

void IngameScreen::bindPlayerKeys() {
    InputManager* input = InputManager::getInstance();
    const Settings& settings = GameStateManager::getInstance()->settings;
    for (const std::string& action : Settings::actions()) {
        input->bindAction(action, settings.key(action), player->name);
    }
    // Escape pauses whatever PAUSE is bound to, as in every game: a player who moved PAUSE elsewhere
    // still has the key every menu answers.
    input->bindAction(kEscapeAction, sf::Keyboard::Escape, player->name);
}

bool IngameScreen::windowLostFocus() {
    const std::vector<sf::Event>& events = GameStateManager::getInstance()->lastEvents;
    return std::any_of(events.begin(), events.end(),
                       [](const sf::Event& event) { return event.type == sf::Event::LostFocus; });
}

void IngameScreen::finishRun() {
    GameStateManager* game = GameStateManager::getInstance();
    game->runSeconds = runClock.seconds();
    game->newBest = false;
    game->winKept = false;
    game->medalTimes = GameObjectManager::getInstance()->medalTimes;
    game->eggsShot = 0;
    for (const auto& egg : eggs) {
        const auto state = egg ? egg->getComponent<EggComponent>() : nullptr;
        game->eggsShot += state ? state->timesShot : 0;
    }
    game->timesSeen = 0;
    for (const auto& dog : dogs) {
        const auto movement = dog ? dog->getComponent<EnemyMovement>() : nullptr;
        game->timesSeen += movement ? movement->timesSawPlayer() : 0;
    }
    game->runSpeed = static_cast<int>(std::lround(speedShare * static_cast<float>(RecordsFile::kFullSpeed)));
    if (game->won && !playerDead) {
        const RecordsFile::Outcome outcome =
            RecordsFile(game->recordsPath)
                .recordWin(levelKey, game->settings.difficulty, runClock.seconds(), game->runSpeed);
        game->newBest = outcome.best;
        game->winKept = outcome.kept;
        // An assisted win writes no ghost.
        if (outcome.best && speedShare == 1.0f) {
            recording.record(runClock.seconds(), player->getPosition(),
                             PhysicsManager::getInstance()->playerInside);
            GhostFile(game->ghostsFolder).save(levelKey, game->settings.difficulty, recording);
        }
    }
}

void IngameScreen::shakeForDogs() {
    if (!GameStateManager::getInstance()->settings.rumble) {
        return;
    }
    Gamepad& pad = InputManager::getInstance()->gamepad;
    if (playerDead) {
        pad.rumble(kCaughtRumble, kCaughtRumbleMs);
        return;
    }
    dogsChasing.resize(dogs.size(), false);
    bool newChase = false;
    for (std::size_t i = 0; i < dogs.size(); ++i) {
        const auto movement = dogs[i]->getComponent<EnemyMovement>();
        const bool chasing = movement && movement->isChasing();
        newChase = newChase || (chasing && !dogsChasing[i]);
        dogsChasing[i] = chasing;
    }
    if (newChase) {
        pad.rumble(kChaseRumble, kChaseRumbleMs);
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
    titleCard.update(dt, player->name);
    InputManager* input = InputManager::getInstance();
    const Gamepad& pad = input->gamepad;
    // The pad's A both lays and continues: the press that continues does not lay as well.
    bool continuedByPad = false;
    if (!levelOver && (input->isActionPressed("PAUSE", player->name) ||
                       input->isActionPressed(kEscapeAction, player->name))) {
        paused = !paused;
    } else if (paused && pad.isPressed("ACCEPT")) {
        paused = false;
        continuedByPad = true;
    }
    if (!levelOver && (pad.wasUnplugged() || windowLostFocus())) {
        // As consoles do: the level waits for the player to plug the pad back in, or to come back to the
        // window, and goes on only when they say so.
        paused = true;
    }
    if (paused && input->isActionPressed("RESTART", player->name)) {
        // The level afresh, read again from disk as from the menu.
        game->setState(GameStateManager::kIngameScreen);
        return;
    }
    if (paused && input->isActionPressed("MENU", player->name)) {
        game->setState(GameStateManager::kStartScreen);
        return;
    }
    if (!paused && !continuedByPad && !titleCard.shown()) {
        player->update(dt * speedShare);
    }
    if (playerDead || game->levelComplete) {
        finishRun();
        game->setState(GameStateManager::kEndScreen);
        return;
    }
}

void IngameScreen::update(float dt) {
    if (!levelReady) {
        return;
    }
    const bool hasFormula = GameStateManager::getInstance()->hasFormula;
    if (!paused && !titleCard.shown() && !playerDead && !GameStateManager::getInstance()->levelComplete) {
        runClock.advance(dt);
        recording.record(runClock.seconds(), player->getPosition(),
                         PhysicsManager::getInstance()->playerInside);
    }
    hud.show(playerEggs->eggStock.size(), hasFormula, runClock.text());
    if (paused) {
        pausePanel.show(camera->getComponent<CameraComponent>()->view, player->getPosition());
        return;
    }
    if (titleCard.shown()) {
        return; // the level waits under its card
    }
    hintPanel.update(
        {player->getPosition(), {player->rigidBody->bounds.width, player->rigidBody->bounds.height}},
        GameObjectManager::getInstance()->hints);
    for (const auto& dog : dogs) {
        dog->update(dt * speedShare);
        if (!playerLife->alive) {
            playerDead = true;
            break;
        }
    }
    shakeForDogs();
    for (const auto& egg : eggs) {
        egg->update(dt * speedShare);
    }
    PhysicsManager::getInstance()->update();
}

void IngameScreen::drawSight(sf::RenderWindow& window) {
    if (!GameStateManager::getInstance()->settings.showSight) {
        return;
    }
    const auto sizeOf = [](const std::shared_ptr<GameObject>& object) {
        return object && object->rigidBody
                   ? sf::Vector2f(object->rigidBody->bounds.width, object->rigidBody->bounds.height)
                   : sf::Vector2f();
    };
    sightAreas.draw(window, dogs, sizeOf(player), eggs.empty() ? sf::Vector2f() : sizeOf(eggs.front()));
}

void IngameScreen::drawGhost(sf::RenderWindow& window) {
    const auto sprite = ghost ? player->getComponent<StaticCmp>() : nullptr;
    const auto sample = sprite ? ghost->at(runClock.seconds()) : std::nullopt;
    if (!sample || sample->inside != PhysicsManager::getInstance()->playerInside) {
        return;
    }
    sf::Sprite shade = sprite->sprite;
    shade.setPosition(sample->position);
    shade.setColor(kGhostTint);
    window.draw(shade);
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
    RenderManager* renderer = RenderManager::getInstance();
    if (tileCache.draw(window, camera->getComponent<CameraComponent>()->view)) {
        drawSight(window);
        drawGhost(window);
        renderer->drawOn(window, RenderManager::Part::allButTileLayers);
    } else {
        renderer->draw(&window);
        drawSight(window);
        drawGhost(window);
    }
    chaseMarks.draw(window, dogs);
    const sf::FloatRect viewport = Letterbox::viewport(window.getSize());
    hud.draw(viewport);
    titleCard.draw(window);
    if (!paused) {
        hintPanel.draw(window);
    }
    if (paused) {
        pausePanel.draw(window, viewport);
    }
}
