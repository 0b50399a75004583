#include "app/GameStateManager.hpp"

#include "app/InputManager.hpp"
#include "i18n/Translator.hpp"
#include "screens/ControlsScreen.hpp"
#include "screens/CreditsScreen.hpp"
#include "screens/EndScreen.hpp"
#include "screens/IngameScreen.hpp"
#include "screens/LevelListScreen.hpp"
#include "screens/OptionsScreen.hpp"
#include "screens/StartScreen.hpp"
#include "storage/Settings.hpp"
#include "storage/SettingsFile.hpp"

#include <cstring>

GameStateManager* GameStateManager::instance = nullptr;

GameStateManager::GameStateManager() : heldSettings(std::make_unique<Settings>()), settings(*heldSettings) {
    std::memset(&lastEvent, 0, sizeof(lastEvent));
}

GameStateManager::~GameStateManager() = default;

GameStateManager* GameStateManager::getInstance() {
    if (!instance) {
        instance = new GameStateManager();
    }
    return instance;
}

void GameStateManager::destroyInstance() {
    delete instance;
    instance = nullptr;
}

template <class Screen> void GameStateManager::switchTo(std::shared_ptr<Screen>& slot) {
    if (currentState) {
        currentState->exit();
    }
    slot = std::make_shared<Screen>();
    slot->init();
    // The old screen dies here, after the new one is ready: it may be the caller.
    currentState = std::move(slot);
    slot.reset();
}

void GameStateManager::setState(int state) {
    // Every screen is built in the language of the settings, whoever changed them.
    Translator::instance().choose(settings.language);
    switch (state) {
    case kStartScreen:
        switchTo(startScreen);
        hasFormula = false;
        levelComplete = false;
        won = false;
        break;
    case kIngameScreen:
        // A restart from the pause or the end screen begins as a level from the menu does.
        hasFormula = false;
        levelComplete = false;
        won = false;
        switchTo(ingameScreen);
        break;
    case kEndScreen:
        switchTo(endScreen);
        break;
    case kControlsScreen:
        switchTo(controlsScreen);
        break;
    case kCreditsScreen:
        switchTo(creditsScreen);
        break;
    case kLevelListScreen:
        switchTo(levelListScreen);
        break;
    case kOptionsScreen:
        switchTo(optionsScreen);
        break;
    default:
        return;
    }
    spendPresses();
}

void GameStateManager::spendPresses() {
    lastEvents.clear();
    eventsSpent = true;
    InputManager::getInstance()->spendPresses();
}

void GameStateManager::saveSettings() {
    if (settingsFile) {
        settingsFile->save(settings);
    }
}
