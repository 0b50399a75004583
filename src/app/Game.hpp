#pragma once

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Window/Event.hpp>
#include <optional>
#include <vector>

class GameStateManager;
class InputManager;

// The application: owns the window and runs the frame loop until the window
// closes. Destroying it tears every manager down.
class Game {
public:
    // Longest frame time handed to the screens: after a stall the game runs
    // slower for a moment instead of letting the player jump through walls.
    static constexpr float kMaxFrameTime = 1.0f / 30.0f;

    Game();
    ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // Opens the window and starts the menu; main then calls runFrame() until it returns false.
    void start();
    // One frame of the loop; false once the window has closed.
    bool runFrame();
    // The status the process should exit with.
    int exitStatus() const;
    // Fullscreen (true) or a window (false) for this run, whatever the settings say; call before start().
    void overrideWindowMode(bool fullscreen) { fullscreenOverride = fullscreen; }
    bool isFullscreen() const { return fullscreen; }
    // Between the window and fullscreen at the desktop's resolution; the choice is saved.
    void toggleFullscreen();

    // Test seams: play with a fixed frame time instead of the measured one, and
    // feed events as if the window had delivered them (before the real ones).
    void setFixedFrameTime(float seconds) { fixedFrameTime = seconds; }
    void queueEvent(const sf::Event& scripted) { scriptedEvents.push_back(scripted); }
    // Test seam: frames that only take input and update, drawing and showing nothing, so a scripted
    // play-through runs as fast as the game's rules allow. What a screen works out while drawing (the
    // pointer in the world, the camera's view) then stays as it was.
    void setDrawing(bool on) { drawing = on; }

    GameStateManager* gameStateManager;
    InputManager* inputManager;
    sf::Event event;
    sf::RenderWindow* window = nullptr;
    float deltaTime = 0.0f;

private:
    void pollEvents();

    // `fromWindow`: delivered by the window, not queued by a test.
    void handleEvent(bool fromWindow);
    void openWindow();
    void applySettings();
    void bindPadButtons();
    void windowResized(sf::Vector2u size);
    void saveSettledSize();
    void clearWithBars();

    sf::Clock frameClock;
    std::vector<sf::Event> frameEvents;
    std::vector<sf::Event> scriptedEvents;
    float fixedFrameTime = 0.0f;
    bool drawing = true;
    std::optional<bool> fullscreenOverride;
    bool fullscreen = false;
    // Between a press of F11 or Alt+Enter and the key's release.
    bool fullscreenKeyDown = false;
    // A resize is saved once the player has stopped dragging the window's edge.
    bool resizePending = false;
    sf::Clock resizeClock;
};
