#include "screens/IngameScreen.hpp"

#include "app/GameStateManager.hpp"
#include "app/InputManager.hpp"
#include "app/Letterbox.hpp"
#include "app/SceneRegistries.hpp"
#include "assets/AssetManager.hpp"
#include "common/FileCheck.hpp"
#include "components/DeathComponent.hpp"
#include "components/EggComponent.hpp"
#include "components/EnemyMovement.hpp"
#include "components/LayEggComponent.hpp"
#include "components/MoveComponent.hpp"
#include "input/ActionLabel.hpp"
#include "input/RealtimeInput.hpp"
#include "map/LevelSchema.hpp"
#include "physics/PhysicsManager.hpp"
#include "physics/RigidBodyComponent.hpp"
#include "scene/CameraComponent.hpp"
#include "scene/GameObjectManager.hpp"
#include "scene/RenderManager.hpp"
#include "scene/StaticCmp.hpp"
#include "screens/MenuPalette.hpp"
#include "storage/GhostFile.hpp"
#include "storage/RecordsFile.hpp"
#include "ui/BitmapButton.hpp"
#include "ui/TextFit.hpp"

#include <SFML/System/Err.hpp>
#include <algorithm>
#include <cmath>
#include <sstream>

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
// The goal line: top centre, between the egg counter and the clock, light text on a dark strip so it reads
// over any ground.
const unsigned kGoalTextSize = 22;
const float kGoalMargin = 12.0f;
// The goal line and the pause panel's key list are in the menu's colours, over a see-through night blue.
const sf::Uint8 kGoalBackOpacity = 200;
const unsigned kBoundKeysTextSize = 17;
const float kBoundKeysBorder = 8.0f;
const char* const kEscapeAction = "ESCAPE";
const char* const kFindTheFormula = "Find the formula";
const char* const kBringItHome = "Bring it to the goal";
// The run's time in the top right corner, as large as the egg counter on the left.
const sf::Vector2f kClockPosition{620.0f, -5.0f};
const unsigned kClockTextSize = 50;
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
    buildHud();
    buildPausePicture();
    const GameObjectManager* objects = GameObjectManager::getInstance();
    titleCard.build(GameStateManager::getInstance()->window, objects->levelTitle, objects->levelIntro);
    hintPanel.build(GameStateManager::getInstance()->window);
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
    player = objects->getGameObject(LevelSchema::kPlayerName);
    camera = objects->getGameObject(LevelSchema::kCameraName);
    const Settings::Difficulty difficulty = GameStateManager::getInstance()->settings.difficulty;
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
    gui.setAbsoluteView(Letterbox::pictureArea());
    sf::Font font;
    if (FileCheck::mayRead("Assets/arial.ttf") && font.loadFromFile("Assets/arial.ttf")) {
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
    buildGoalLine();
    addClock();
}

void IngameScreen::buildGoalLine() {
    goalLine = ui::Label::create(kFindTheFormula);
    goalLine->setTextSize(kGoalTextSize);
    goalLine->getRenderer()->setTextColor(MenuPalette::kCream);
    goalLine->getRenderer()->setBackgroundColor(MenuPalette::nightBlue(kGoalBackOpacity));
    goalLine->getRenderer()->setBorders({8.0f, 4.0f, 8.0f, 4.0f});
    goalLine->getRenderer()->setBorderColor(sf::Color::Transparent);
    gui.add(goalLine, "goal");
}

void IngameScreen::addClock() {
    clockText = ui::Button::create(runClock.text());
    clockText->setPosition(kClockPosition);
    clockText->setTextSize(kClockTextSize);
    clockText->getRenderer()->setTextColor(sf::Color::White);
    clockText->getRenderer()->setBackgroundColor(sf::Color::Transparent);
    clockText->getRenderer()->setBorderColor(sf::Color::Transparent);
    gui.add(clockText, "clock");
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

void IngameScreen::buildPausePicture() {
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
    if (sf::RenderWindow* window = GameStateManager::getInstance()->window) {
        pauseGui.setTarget(*window);
    }
    pauseGui.setAbsoluteView(Letterbox::pictureArea());
    pauseGui.add(pauseKeys, "pauseKeys");

    pauseGui.setFont("Assets/arial.ttf"); // the line below is measured as it is placed
    boundKeys = ui::Label::create();
    boundKeys->setTextSize(kBoundKeysTextSize);
    boundKeys->getRenderer()->setTextColor(MenuPalette::kCream);
    boundKeys->getRenderer()->setBackgroundColor(MenuPalette::nightBlue(kGoalBackOpacity));
    boundKeys->getRenderer()->setBorders({kBoundKeysBorder, 4.0f, kBoundKeysBorder, 4.0f});
    pauseGui.add(boundKeys, "boundKeys");
    listBoundKeys();
}

void IngameScreen::listBoundKeys() {
    const std::string continueKeys = ActionLabel::of("PAUSE") + " continue     " +
                                     ActionLabel::of("RESTART") + " restart     " + ActionLabel::of("MENU") +
                                     " menu";
    std::vector<std::string> pieces;
    const bool onPad = InputManager::getInstance()->gamepad.wasUsedLast();
    for (const std::string& action : Settings::actions()) {
        // On a pad one stick makes the four moves.
        if (onPad && (action == "RIGHT" || action == "UP" || action == "DOWN")) {
            continue;
        }
        const std::string name = onPad && action == "LEFT" ? "MOVE" : action;
        pieces.push_back(name + " " + ActionLabel::of(action));
    }
    const std::string keys = fitted(pieces);
    if (keys == listedKeys && continueKeys == pauseKeys->getText()) {
        return;
    }
    listedKeys = keys;
    pauseKeys->setText(continueKeys);
    boundKeys->setText(keys);
    boundKeys->setPosition({(Letterbox::kPictureWidth - boundKeys->getSize().x) / 2.0f,
                            Letterbox::kPictureHeight - boundKeys->getSize().y - kGoalMargin});
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

std::string IngameScreen::fitted(const std::vector<std::string>& pieces) const {
    // Inside the picture with the strip's own borders, whatever the player bound: the picture is 800 wide
    // in every window, so this holds at every size.
    const float room = Letterbox::kPictureWidth - 2.0f * kGoalMargin - 2.0f * kBoundKeysBorder;
    const sf::Font* font = pauseGui.getFont();
    if (!font) {
        return "";
    }
    return ui::TextFit::wrapEvenly(pieces, "    ", *font, kBoundKeysTextSize, room);
}

sf::Vector2f IngameScreen::pausePosition() const {
    // Near the player, but moved inside the view where it would stick out of it.
    const sf::View& view = camera->getComponent<CameraComponent>()->view;
    const sf::Vector2f viewCorner = view.getCenter() - view.getSize() / 2.0f;
    const sf::Vector2f wanted = player->getPosition() - kPauseOffset;
    const sf::Vector2f farthest = viewCorner + view.getSize() - kPauseSize;
    return {std::clamp(wanted.x, viewCorner.x, std::max(viewCorner.x, farthest.x)),
            std::clamp(wanted.y, viewCorner.y, std::max(viewCorner.y, farthest.y))};
}

void IngameScreen::placePauseKeys() {
    // The key line sits in the empty lower part of the pause picture, in the picture's coordinates.
    const sf::View& view = camera->getComponent<CameraComponent>()->view;
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
    std::ostringstream counter;
    counter << playerEggs->eggStock.size() << "x";
    eggCounter->setText(counter.str());
    goalLine->setText(GameStateManager::getInstance()->hasFormula ? kBringItHome : kFindTheFormula);
    goalLine->setPosition({(Letterbox::kPictureWidth - goalLine->getSize().x) / 2.0f, kGoalMargin});
    if (!paused && !titleCard.shown() && !playerDead && !GameStateManager::getInstance()->levelComplete) {
        runClock.advance(dt);
        recording.record(runClock.seconds(), player->getPosition(),
                         PhysicsManager::getInstance()->playerInside);
    }
    clockText->setText(runClock.text());

    if (paused) {
        pauseObject->setPosition(pausePosition());
        // The keys or the pad's buttons, as the player used last.
        listBoundKeys();
        placePauseKeys();
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
    gui.setRelativeViewport(viewport);
    gui.draw();
    titleCard.draw(window);
    if (!paused) {
        hintPanel.draw(window);
    }
    if (paused) {
        pauseObject->draw(window);
        pauseGui.setRelativeViewport(viewport);
        pauseGui.draw();
    }
}
