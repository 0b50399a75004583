#pragma once

#include "app/Game.hpp"
#include "app/GameClock.hpp"
#include "app/GameState.hpp"
#include "app/GameStateManager.hpp"
#include "components/LayEggComponent.hpp"
#include "input/RealtimeInput.hpp"
#include "scene/GameObjectManager.hpp"
#include "screens/IngameScreen.hpp"
#include "screens/LevelListScreen.hpp"
#include "screens/StartScreen.hpp"
#include "support/Events.hpp"
#include "support/Files.hpp"
#include "support/VirtualPad.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>

// Runs the real game in this process, in a real window, with scripted input and
// a fixed frame time of 1/60 s, so a test can play it frame by frame.
class GameHarness {
public:
    static constexpr float kFrameTime = 1.0f / 60.0f;

    // `settingsText`, when given, is the player's settings file the game finds at its start; `padMappings`
    // their gamecontrollerdb.txt; `windowMode` the command line's --fullscreen (true) or --window (false).
    explicit GameHarness(const std::string& settingsText = "", const std::string& padMappings = "",
                         std::optional<bool> windowMode = std::nullopt) {
        // The game reads and writes its settings and records in a folder of this test's own, never the
        // real one.
        configFolder = makeTempFolder("config");
        setenv("XDG_CONFIG_HOME", configFolder.c_str(), 1);
        setenv("XDG_DATA_HOME", (configFolder + "/data").c_str(), 1);
        if (!settingsText.empty()) {
            std::filesystem::create_directories(configFolder + "/pellowick");
            std::ofstream(settingsFile()) << settingsText;
        }
        if (!padMappings.empty()) {
            std::filesystem::create_directories(configFolder + "/pellowick");
            std::ofstream(padMappingsFile()) << padMappings;
        }
        RealtimeInput::reset();
        RealtimeInput::setScripted(true);
        GameClock::setScripted(true);
        game = std::make_unique<Game>();
        game->setFixedFrameTime(kFrameTime);
        if (windowMode) {
            game->overrideWindowMode(*windowMode);
        }
        game->start();
        // Frames run as fast as they can: the fixed frame time keeps the game's clock.
        game->window->setFramerateLimit(0);
    }
    ~GameHarness() {
        game.reset();
        RealtimeInput::reset();
        GameClock::setScripted(false);
        std::error_code ignored;
        std::filesystem::remove_all(configFolder, ignored);
    }
    GameHarness(const GameHarness&) = delete;
    GameHarness& operator=(const GameHarness&) = delete;

    // Runs n frames; false when the window closed on the way.
    bool frames(int n) {
        for (int i = 0; i < n; ++i) {
            GameClock::advance(sf::seconds(kFrameTime));
            if (!game->runFrame()) {
                return false;
            }
        }
        return true;
    }

    // Runs frames until `done` holds, at most `longest` of them; whether it holds.
    bool framesUntil(const std::function<bool()>& done, int longest) {
        for (int frame = 0; frame < longest && !done(); ++frame) {
            frames(1);
        }
        return done();
    }

    void hold(sf::Keyboard::Key key, bool held = true) { RealtimeInput::setKey(key, held); }
    // A key held down for `n` frames, then let go.
    void holdFor(sf::Keyboard::Key key, int n) {
        hold(key);
        frames(n);
        hold(key, false);
    }
    void holdMouse(bool held = true) { RealtimeInput::setMouseButton(sf::Mouse::Left, held); }

    // A left click at a window pixel, delivered as the window would deliver it.
    void click(sf::Vector2i at) {
        game->queueEvent(mouseMove(at.x, at.y));
        game->queueEvent(mousePress(at.x, at.y));
        game->queueEvent(mouseRelease(at.x, at.y));
    }

    // A key pressed and released between two frames: the frame never sees it held.
    void tap(sf::Keyboard::Key key) {
        game->queueEvent(keyPress(key));
        game->queueEvent(keyRelease(key));
    }

    // A key held down for two frames, then let go for one.
    void press(sf::Keyboard::Key key) {
        holdFor(key, 2);
        frames(1);
    }

    // A pad's button held for two frames, then let go for one.
    void press(VirtualPad& pad, int button) {
        pad.hold(button);
        frames(2);
        pad.hold(button, false);
        frames(1);
    }

    // A pad's stick or trigger tilted for `n` frames, then back at rest for one.
    void tilt(VirtualPad& pad, int axis, float position, int n = 2) {
        pad.tilt(axis, position);
        frames(n);
        pad.tilt(axis, axis >= SDL_CONTROLLER_AXIS_TRIGGERLEFT ? -1.0f : 0.0f);
        frames(1);
    }

    // The window resized as a player or the window manager would, and the two frames the game takes to
    // follow.
    void resize(sf::Vector2u size) {
        window().setSize(size);
        game->queueEvent(windowResize(size.x, size.y));
        frames(2);
    }

    static sf::Vector2i centreOf(const ui::Widget& widget) {
        const sf::Vector2f centre = widget.getPosition() + widget.getSize() / 2.0f;
        return {static_cast<int>(centre.x), static_cast<int>(centre.y)};
    }
    // A click in the middle of a widget and the two frames a screen needs to act on it (it sees a frame's
    // events one frame later); false when there is no widget or the window closed.
    bool clickOn(const std::shared_ptr<ui::Widget>& widget) {
        if (!widget) {
            return false;
        }
        click(centreOf(*widget));
        return frames(2);
    }

    // Clicks the menu's start button and starts play past the level's title card; false when no level runs.
    bool startLevel() {
        auto* menu = screen<StartScreen>();
        return menu && clickOn(menu->gui.get("start")) && startPlay();
    }
    // The level's first action, which starts play under its title card: a tap of the lay key, which lays
    // nothing with no egg in hand.
    bool startPlay() {
        tap(sf::Keyboard::E);
        return frames(1) && screen<IngameScreen>() != nullptr && !screen<IngameScreen>()->titleCard.shown();
    }

    // From the pause, the menu.
    void leaveForTheMenu() {
        press(sf::Keyboard::Escape);
        press(sf::Keyboard::Q);
    }

    // The menu's button `button` ("levels" or "practice") and the list it opens once its first page is
    // checked; null when no list opens.
    LevelListScreen* openList(const std::string& button = "levels") {
        auto* menu = screen<StartScreen>();
        LevelListScreen* list = menu && clickOn(menu->gui.get(button)) ? screen<LevelListScreen>() : nullptr;
        if (list) {
            waitForPage(*list);
        }
        return list;
    }
    // The row that shows entry `index` of the list, once its page is shown and checked.
    std::size_t rowOf(LevelListScreen& list, std::size_t index) {
        list.showPage(index);
        waitForPage(list);
        return index - list.firstShown;
    }
    void waitForPage(LevelListScreen& list) {
        framesUntil([&] { return list.pageChecked(); }, 3000);
        frames(1);
    }

    // Walks along one axis at a time until within half a step of the point, or the level ends; `eachStep`
    // runs after every frame.
    void walkTo(sf::Vector2f target, const std::function<void()>& eachStep = nullptr) {
        const float halfStep = 0.45f;
        for (int guard = 0; guard < 3000 && screen<IngameScreen>(); ++guard) {
            const sf::Vector2f gap = target - object("player1")->getPosition();
            if (std::abs(gap.x) <= halfStep && std::abs(gap.y) <= halfStep) {
                return;
            }
            const sf::Keyboard::Key key = std::abs(gap.x) > halfStep
                                              ? (gap.x > 0 ? sf::Keyboard::D : sf::Keyboard::A)
                                              : (gap.y > 0 ? sf::Keyboard::S : sf::Keyboard::W);
            holdFor(key, 1);
            if (eachStep) {
                eachStep();
            }
        }
    }

    // An object of the running level by name; throws when there is none.
    static std::shared_ptr<GameObject> object(const std::string& name) {
        return GameObjectManager::getInstance()->getGameObject(name);
    }
    // The egg put in the player's hand, as if picked up.
    static void giveEgg(const std::string& egg = "egg1") {
        object("player1")->getComponent<LayEggComponent>()->eggStock.push_back(object(egg)->colliders[0]);
    }

    template <class Screen> Screen* screen() const {
        return dynamic_cast<Screen*>(GameStateManager::getInstance()->currentState.get());
    }

    sf::RenderWindow& window() { return *game->window; }
    // What the frame drawn so far shows, read back before it is presented.
    sf::Image capture() {
        sf::Texture texture;
        texture.create(window().getSize().x, window().getSize().y);
        texture.update(window());
        return texture.copyToImage();
    }
    std::string settingsFile() const { return configFolder + "/pellowick/settings.toml"; }
    std::string padMappingsFile() const { return configFolder + "/pellowick/gamecontrollerdb.txt"; }
    std::string recordsFile() const { return configFolder + "/data/pellowick/records.toml"; }
    std::string ghostsFolder() const { return configFolder + "/data/pellowick/ghosts"; }

    std::string configFolder;
    std::unique_ptr<Game> game;
};
