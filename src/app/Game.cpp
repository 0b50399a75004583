#include "app/Game.hpp"

#include "app/GameState.hpp"
#include "app/GameStateManager.hpp"
#include "app/InputManager.hpp"
#include "app/Letterbox.hpp"
#include "app/SceneRegistries.hpp"
#include "app/WindowIcon.hpp"
#include "assets/AssetManager.hpp"
#include "input/RealtimeInput.hpp"
#include "screens/MenuFocus.hpp"
#include "storage/GhostFile.hpp"
#include "storage/PadMappingsFile.hpp"
#include "storage/RecordsCarryOver.hpp"
#include "storage/RecordsFile.hpp"
#include "storage/SettingsFile.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <algorithm>
#include <cstring>

namespace {
const char* const kTitle = "Pellowick";
const unsigned kFrameRate = 60;
const sf::Time kResizeSettleTime = sf::seconds(0.5f);

bool isFullscreenKey(const sf::Event::KeyEvent& key) {
    return key.code == sf::Keyboard::F11 || (key.code == sf::Keyboard::Enter && key.alt);
}

// The top-left corner that puts a window of `size` in the middle of the desktop, never above or left of it.
sf::Vector2i centredOnDesktop(sf::Vector2u size) {
    const sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
    const auto centred = [](unsigned screen, unsigned window) {
        return std::max(0, (static_cast<int>(screen) - static_cast<int>(window)) / 2);
    };
    return {centred(desktop.width, size.x), centred(desktop.height, size.y)};
}
} // namespace

Game::Game() : gameStateManager(GameStateManager::getInstance()), inputManager(InputManager::getInstance()) {
    std::memset(&event, 0, sizeof(event));
}

Game::~Game() {
    delete window;
    window = nullptr;
    gameStateManager->window = nullptr;
    gameStateManager->switchFullscreen = nullptr;
    SceneRegistries::shutdown();
}

void Game::start() {
    frameClock.restart();
    applySettings();
    // The player's pad mappings are read before any pad opens.
    inputManager->gamepad.start(PadMappingsFile::defaultPath());
    bindPadButtons();
    window = new sf::RenderWindow();
    openWindow();
    gameStateManager->window = window;
    gameStateManager->switchFullscreen = [this] { toggleFullscreen(); };
    gameStateManager->setState(GameStateManager::kStartScreen);
}

void Game::applySettings() {
    auto file = std::make_shared<SettingsFile>(SettingsFile::defaultPath());
    gameStateManager->settings = file->load();
    gameStateManager->settingsFile = file;
    gameStateManager->recordsPath = RecordsFile::defaultPath();
    gameStateManager->ghostsFolder = GhostFile::defaultFolder();
    // Best times won on the shipped levels' earlier versions are found under the levels' ids.
    RecordsCarryOver::run(gameStateManager->recordsPath, gameStateManager->ghostsFolder);
    fullscreen = fullscreenOverride.value_or(gameStateManager->settings.fullscreen);
    const Settings& settings = gameStateManager->settings;
    AssetManager::getInstance()->setVolumes(settings.audio, settings.musicVolume, settings.effectsVolume);
}

void Game::bindPadButtons() {
    for (const std::string& action : Settings::padActions()) {
        inputManager->gamepad.bindButton(action, gameStateManager->settings.padButton(action));
    }
}

void Game::openWindow() {
    const sf::Vector2u size = gameStateManager->settings.windowSize;
    if (fullscreen) {
        // The desktop's own mode: the monitor is not switched to another resolution.
        window->create(sf::VideoMode::getDesktopMode(), kTitle, sf::Style::Fullscreen);
    } else {
        window->create(sf::VideoMode(size.x, size.y, 32), kTitle, sf::Style::Default);
        // SFML centres a new window with the screen's width for both coordinates, which puts it partly
        // below a wide screen; window managers that honour a program's position would leave it there.
        window->setPosition(centredOnDesktop(size));
    }
    gameStateManager->windowIsFullscreen = fullscreen;
    // create() forgets the frame-rate limit and the icon along with the old window.
    window->setFramerateLimit(kFrameRate);
    WindowIcon::apply(*window);
    if (!RealtimeInput::isScripted()) {
        RealtimeInput::setFocused(window->hasFocus());
    }
}

void Game::toggleFullscreen() {
    fullscreen = !fullscreen;
    openWindow();
    gameStateManager->settings.fullscreen = fullscreen;
    gameStateManager->saveSettings();
}

void Game::windowResized(sf::Vector2u size) {
    if (fullscreen) {
        return;
    }
    const sf::Vector2u held = Letterbox::heldToMinimum(size);
    if (held != size) {
        window->setSize(held);
    }
    if (held != gameStateManager->settings.windowSize) {
        gameStateManager->settings.windowSize = held;
        resizePending = true;
        resizeClock.restart();
    }
}

void Game::saveSettledSize() {
    if (resizePending && resizeClock.getElapsedTime() >= kResizeSettleTime) {
        resizePending = false;
        gameStateManager->saveSettings();
    }
}

void Game::pollEvents() {
    frameEvents.clear();
    RealtimeInput::forgetKeyPresses();
    for (const sf::Event& scripted : scriptedEvents) {
        event = scripted;
        handleEvent(false);
    }
    scriptedEvents.clear();
    while (window->pollEvent(event)) {
        handleEvent(true);
    }
}

void Game::handleEvent(bool fromWindow) {
    // Scripted play decides the focus itself: other windows on the same display must not take it away.
    const bool ignoreFocus = fromWindow && RealtimeInput::isScripted();
    if (ignoreFocus && (event.type == sf::Event::LostFocus || event.type == sf::Event::GainedFocus)) {
        return;
    }
    frameEvents.push_back(event);
    MenuFocus::noteInput(event);
    switch (event.type) {
    case sf::Event::Closed:
        window->close();
        break;
    case sf::Event::MouseButtonPressed:
        // The screens name keys again, not the pad's buttons.
        inputManager->gamepad.keyboardUsed();
        break;
    case sf::Event::KeyPressed:
        inputManager->gamepad.keyboardUsed();
        RealtimeInput::noteKeyPress(event.key.code);
        if (isFullscreenKey(event.key)) {
            // A held key repeats its press about 25 times a second: only the first one switches.
            if (!fullscreenKeyDown) {
                toggleFullscreen();
            }
            fullscreenKeyDown = true;
        }
        break;
    case sf::Event::KeyReleased:
        if (event.key.code == sf::Keyboard::F11 || event.key.code == sf::Keyboard::Enter) {
            fullscreenKeyDown = false;
        }
        break;
    case sf::Event::LostFocus:
        if (!ignoreFocus) {
            RealtimeInput::setFocused(false);
        }
        break;
    case sf::Event::GainedFocus:
        if (!ignoreFocus) {
            RealtimeInput::setFocused(true);
        }
        // A key let go while another window had the focus sent its release there.
        if (!RealtimeInput::isKeyPressed(sf::Keyboard::F11) &&
            !RealtimeInput::isKeyPressed(sf::Keyboard::Enter)) {
            fullscreenKeyDown = false;
        }
        break;
    case sf::Event::Resized:
        windowResized({event.size.width, event.size.height});
        break;
    default:
        break;
    }
}

bool Game::runFrame() {
    if (!window->isOpen()) {
        return false;
    }
    gameStateManager->eventsSpent = false;
    pollEvents();
    saveSettledSize();
    inputManager->update(event);
    gameStateManager->currentState->handleInput(deltaTime);
    gameStateManager->currentState->update(deltaTime);
    gameStateManager->lastEvent = event;
    // A screen opened in this frame acts only on what the player does after it opened.
    if (gameStateManager->eventsSpent) {
        gameStateManager->lastEvents.clear();
    } else {
        gameStateManager->lastEvents = frameEvents;
    }
    gameStateManager->eventsSpent = false;
    if (drawing) {
        clearWithBars();
        gameStateManager->currentState->draw(*window);
        window->display();
    }
    const float measured = frameClock.restart().asSeconds();
    deltaTime = fixedFrameTime > 0.0f ? fixedFrameTime : std::min(measured, kMaxFrameTime);
    return window->isOpen();
}

void Game::clearWithBars() {
    // Black bars beside or above the picture; the picture's own background is blue, unless the screen
    // paints over all of it anyway.
    window->clear(sf::Color::Black);
    if (gameStateManager->currentState->coversPicture()) {
        return;
    }
    // The screens read the pointer through the view of the frame before: leave it as it was.
    const sf::View previous = window->getView();
    const sf::Vector2f size(window->getSize());
    window->setView(sf::View(sf::FloatRect(0.0f, 0.0f, size.x, size.y)));
    const sf::FloatRect area = Letterbox::pixelArea(window->getSize());
    sf::RectangleShape background({area.width, area.height});
    background.setPosition(area.left, area.top);
    background.setFillColor(sf::Color::Blue);
    window->draw(background);
    window->setView(previous);
}

int Game::exitStatus() const {
    return gameStateManager ? gameStateManager->exitStatus : 0;
}
