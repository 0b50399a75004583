#include "app/Game.hpp"

#include "app/GameState.hpp"
#include "app/GameStateManager.hpp"
#include "app/InputManager.hpp"
#include "app/RealtimeInput.hpp"
#include "app/SceneRegistries.hpp"
#include "app/WindowIcon.hpp"

#include <algorithm>
#include <cstring>

Game::Game() : gameStateManager(GameStateManager::getInstance()), inputManager(InputManager::getInstance()) {
    std::memset(&event, 0, sizeof(event));
}

Game::~Game() {
    delete window;
    window = nullptr;
    gameStateManager->window = nullptr;
    SceneRegistries::shutdown();
}

void Game::run() {
    start();
    while (runFrame()) {
    }
}

void Game::start() {
    frameClock.restart();
    window = new sf::RenderWindow(sf::VideoMode(800, 600, 32), "Pellowick",
                                  sf::Style::Titlebar | sf::Style::Close, sf::ContextSettings());
    window->setFramerateLimit(60);
    WindowIcon::apply(*window);
    RealtimeInput::setFocused(window->hasFocus());
    gameStateManager->window = window;
    gameStateManager->setState(GameStateManager::kStartScreen);
}

void Game::pollEvents() {
    frameEvents.clear();
    for (const sf::Event& scripted : scriptedEvents) {
        event = scripted;
        handleEvent();
    }
    scriptedEvents.clear();
    while (window->pollEvent(event)) {
        handleEvent();
    }
}

void Game::handleEvent() {
    frameEvents.push_back(event);
    switch (event.type) {
    case sf::Event::Closed:
        window->close();
        break;
    case sf::Event::LostFocus:
        RealtimeInput::setFocused(false);
        break;
    case sf::Event::GainedFocus:
        RealtimeInput::setFocused(true);
        break;
    default:
        break;
    }
}

bool Game::runFrame() {
    if (!window->isOpen()) {
        return false;
    }
    pollEvents();
    inputManager->update(event);
    gameStateManager->currentState->handleInput(deltaTime);
    gameStateManager->currentState->update(deltaTime);
    gameStateManager->lastEvent = event;
    gameStateManager->lastEvents = frameEvents;
    window->clear(sf::Color::Blue);
    gameStateManager->currentState->draw(*window);
    window->display();
    const float measured = frameClock.restart().asSeconds();
    deltaTime = fixedFrameTime > 0.0f ? fixedFrameTime : std::min(measured, kMaxFrameTime);
    return window->isOpen();
}

int Game::exitStatus() const {
    return gameStateManager ? gameStateManager->exitStatus : 0;
}
