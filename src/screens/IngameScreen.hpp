#pragma once

#include "app/GameState.hpp"
#include "hud/ChaseMark.hpp"
#include "hud/HintPanel.hpp"
#include "hud/Hud.hpp"
#include "hud/PausePanel.hpp"
#include "hud/RunClock.hpp"
#include "hud/SightOverlay.hpp"
#include "hud/TitleCard.hpp"
#include "scene/GameObject.hpp"
#include "scene/TileCache.hpp"
#include "storage/GhostRun.hpp"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class DeathComponent;
class LayEggComponent;

// The level: loads the map, moves the player, the dogs and the eggs, runs the
// collision step and draws the scene with an egg counter, the current goal in
// words, what each dog sees on the ground and a mark over every chasing or wary dog. Escape pauses; while
// paused, R restarts the level and Q leaves it for the menu (keys as bound). Ends
// when the player is caught or reaches the goal with the formula; a win is timed
// (the clock stands while paused) and recorded as the level's best when faster, and its path kept as the
// ghost that the next attempts race. The level waits under its title card until the player's first action;
// the options' game speed slows everything in it but the clock, and a win below full speed is assisted.
class IngameScreen final : public GameState {
public:
    void init() override;
    void exit() override;
    void update(float dt) override;
    void draw(sf::RenderWindow& window) override;
    void handleInput(float dt) override;
    bool coversPicture() const override { return tileCache.paintedLastFrame(); }

    // The heads-up display and the pause panel; the fields below are theirs, by the names the level has
    // always had.
    Hud hud;
    PausePanel pausePanel;
    std::shared_ptr<ui::Button>& eggCounter = hud.eggCounter;
    std::shared_ptr<ui::Label>& goalLine = hud.goalLine;
    std::shared_ptr<ui::Button>& clockText = hud.clockText;
    ui::Gui& gui = hud.gui;
    std::shared_ptr<GameObject>& pauseObject = pausePanel.pauseObject;
    ui::Gui& pauseGui = pausePanel.pauseGui;
    std::shared_ptr<ui::Label>& pauseKeys = pausePanel.pauseKeys;
    std::shared_ptr<ui::Label>& boundKeys = pausePanel.boundKeys;
    ChaseMark chaseMarks;
    // The level's name and intro as it starts: the level waits under it until the player acts.
    TitleCard titleCard;
    // The words of the hint the player stands in.
    HintPanel hintPanel;
    // The dogs' sight on the ground, unless the player turned it off in the options.
    SightOverlay sightAreas;
    // This run as it goes, and the best run's ghost to race (when there is one and the player shows it).
    GhostRun recording;
    std::optional<GhostRun> ghost;
    RunClock runClock;
    bool playerDead = false;
    bool paused = false;
    // The tiles at the level's own resolution, stretched over the picture; sprites and HUD at the window's.
    TileCache tileCache;

private:
    // False, after writing why, when the level cannot be played.
    bool loadLevel();
    void bindPlayerKeys();
    // Hands the run's time and numbers to the end screen, and records a win (with its ghost when it is
    // the new best).
    void finishRun();
    void loadGhost();
    // Rumbles the pad when a dog starts chasing and when the player is caught.
    void shakeForDogs();
    // Whether another window took the focus in the frame before.
    static bool windowLostFocus();
    void drawSight(sf::RenderWindow& window);
    // The ghost as a see-through player, while it is where the player is: both inside or both outside.
    void drawGhost(sf::RenderWindow& window);

    bool levelReady = false;
    // The share of real time the level runs at: the options' game speed, 0.5 to 1.
    float speedShare = 1.0f;
    // Which dogs chased in the last frame, for the pad's rumble.
    std::vector<bool> dogsChasing;
    std::string levelKey; // the level's name in the records
    // The level's actors, looked up once the map has loaded; the registry
    // keeps them alive for as long as this screen runs.
    std::shared_ptr<GameObject> player;
    std::shared_ptr<GameObject> camera;
    std::vector<std::shared_ptr<GameObject>> dogs;
    std::vector<std::shared_ptr<GameObject>> eggs;
    std::shared_ptr<DeathComponent> playerLife;
    std::shared_ptr<LayEggComponent> playerEggs;
};
