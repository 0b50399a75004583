#pragma once

#include "map/MedalTimes.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Window/Event.hpp>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class GameState;
class StartScreen;
class IngameScreen;
class EndScreen;
class ControlsScreen;
class CreditsScreen;
class LevelListScreen;
class OptionsScreen;
class Settings;
class SettingsFile;

// Owns the running screen and switches between the screens by number:
// 0 start, 1 in-game, 2 end, 3 controls, 4 credits, 5 level list, 6 options. Also carries what outlives a
// screen: the window, the frame loop's last event and the level's outcome.
class GameStateManager {
public:
    static constexpr int kStartScreen = 0;
    static constexpr int kIngameScreen = 1;
    static constexpr int kEndScreen = 2;
    static constexpr int kControlsScreen = 3;
    static constexpr int kCreditsScreen = 4;
    static constexpr int kLevelListScreen = 5;
    static constexpr int kOptionsScreen = 6;

    static GameStateManager* getInstance();
    // Destroys the manager and with it the running screen (used by the shutdown).
    static void destroyInstance();

    // Calls the old screen's exit(), builds and initialises the new one, and only
    // then releases the old screen. A screen that switches from inside its own
    // operation is destroyed before this returns. Unknown numbers do nothing. The presses of the frame
    // are spent: the new screen sees none of the old screen's events and no key or pad button held now.
    void setState(int state);
    // Set by setState; the frame loop then hands the new screen none of this frame's events.
    bool eventsSpent = false;

    std::shared_ptr<StartScreen> startScreen;
    std::shared_ptr<IngameScreen> ingameScreen;
    std::shared_ptr<EndScreen> endScreen;
    std::shared_ptr<ControlsScreen> controlsScreen;
    std::shared_ptr<CreditsScreen> creditsScreen;
    std::shared_ptr<LevelListScreen> levelListScreen;
    std::shared_ptr<OptionsScreen> optionsScreen;
    std::shared_ptr<GameState> currentState;
    sf::RenderWindow* window = nullptr;
    sf::Event lastEvent;
    bool won = false;
    bool hasFormula = false;
    bool levelComplete = false;

    // Every event polled in the previous frame, in order (the menu needs them all:
    // a press followed by a mouse move in one frame must still click).
    std::vector<sf::Event> lastEvents;
    // The process exit status; a screen that cannot be shown at all sets 1.
    int exitStatus = 0;
    // The level the menu's Start begins (--map changes it), and the one the in-game screen loads each
    // time it starts: Start's, or the one chosen from the level list.
    std::string firstLevelPath = "Assets/map.tmx";
    // Whether the level list shows the practice yard's lessons (the menu's Practice) or the levels.
    bool practiceList = false;
    std::string mapPath = "Assets/map.tmx";
    // The last run of the level: its time in seconds, whether the win is in the records (recordsPath, empty
    // when screens run on their own, as in tests: nothing is recorded) and whether it beat the level's
    // record at the difficulty it was played at.
    double runSeconds = 0.0;
    // The game speed of the last run, in percent: below 100 it was an assisted run.
    int runSpeed = 100;
    bool winKept = false;
    bool newBest = false;
    std::string recordsPath;
    // The run in numbers: eggs shot, and chases of the player the dogs started.
    int eggsShot = 0;
    int timesSeen = 0;
    // The level's target times, when it has them.
    std::optional<MedalTimes> medalTimes;
    // Where the best runs are kept to be raced ("" when screens run on their own: nothing is kept).
    std::string ghostsFolder;

    // The player's settings, and the file they are saved in (none when screens
    // run on their own, as in tests: nothing is then saved).
    // Held apart so that only the code that reads a setting sees the whole class: include
    // "storage/Settings.hpp" there.
    std::unique_ptr<Settings> heldSettings;
    Settings& settings;
    std::shared_ptr<SettingsFile> settingsFile;
    // Writes the settings at once, after a change the player made.
    void saveSettings();
    // Per menu screen, the name of the widget the player left it from; and whether the player's last press
    // was a key or a pad button (a menu then opens with its focus shown) rather than the mouse; until the
    // mouse is used, the menus show their focus.
    std::map<int, std::string> menuFocus;
    bool keysInUse = true;
    // Switches between the window and fullscreen as F11 does (set by the game; empty without a window).
    std::function<void()> switchFullscreen;
    // Whether the window is fullscreen now (kept by the game while it has a window).
    bool windowIsFullscreen = false;

private:
    GameStateManager();
    ~GameStateManager();

    template <class Screen> void switchTo(std::shared_ptr<Screen>& slot);
    void spendPresses();

    static GameStateManager* instance;
};
