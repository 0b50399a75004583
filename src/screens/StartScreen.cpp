#include "screens/StartScreen.hpp"

#include "app/GameStateManager.hpp"
#include "app/InputManager.hpp"
#include "app/Letterbox.hpp"
#include "assets/AssetManager.hpp"
#include "assets/GameSounds.hpp"
#include "common/FileCheck.hpp"
#include "i18n/Translator.hpp"
#include "scene/CameraComponent.hpp"
#include "scene/StaticCmp.hpp"
#include "screens/MenuFocus.hpp"
#include "screens/MenuPalette.hpp"
#include "screens/ScreenPicture.hpp"
#include "storage/Settings.hpp"
#include "ui/Button.hpp"
#include "ui/FormError.hpp"

#include <SFML/System/Err.hpp>
#include <filesystem>

namespace {
const char* const kFormFile = "Assets/start.txt";
const char* const kFontFile = "Assets/arial.ttf";
// Under the menu's panel, over the fence, on a strip of the panel's night blue.
// TRANSLATORS: a line under the menu on the first start; it must fit about 60 letters.
const char* const kWelcome = N_("New here? Practice teaches the basics, one thing at a time.");
const unsigned kWelcomeTextSize = 18;
const float kWelcomeTop = 545.0f;
const sf::Uint8 kWelcomeOpacity = 220;
} // namespace

void StartScreen::loadSounds() {
    AssetManager* assets = AssetManager::getInstance();
    for (const GameSounds::Effect& effect : GameSounds::kEffects) {
        assets->loadSoundBuffer(effect.name, GameSounds::kFolder + std::string(effect.file));
    }
}

void StartScreen::buildBackground() {
    background = ScreenPicture::makeTitleBackground();
    if (!AssetManager::getInstance()->hasTexture("startScreen")) {
        sf::err() << "Pellowick: "
                  << fill(tr("{1} is missing or unreadable; the menu shows without it"),
                          {"Assets/startScreen.png"})
                  << std::endl;
    }
    camera = ScreenPicture::makeTitleCamera(background);
}

void StartScreen::init() {
    AssetManager* assets = AssetManager::getInstance();
    loadSounds();
    assets->loadTexture("audio", "Assets/audio.png");
    assets->loadTexture("audioOff", "Assets/audioOff.png");
    const Settings& settings = GameStateManager::getInstance()->settings;
    assets->setVolumes(settings.audio, settings.musicVolume, settings.effectsVolume);
    buildBackground();
    menuReady = buildMenu();
    if (!menuReady) {
        giveUp();
        return;
    }
    MenuFocus::restore(gui, GameStateManager::kStartScreen);
    assets->playMusic(GameSounds::kMusic);
}

bool StartScreen::buildMenu() {
    sf::RenderWindow* window = GameStateManager::getInstance()->window;
    if (window) {
        gui.setTarget(*window);
    }
    // The form is laid out for the 800x600 picture, which the window shows letterboxed.
    gui.setAbsoluteView(Letterbox::pictureArea());
    sf::Font font;
    if (const std::string problem = FileCheck::problemWith(kFontFile); !problem.empty()) {
        sf::err() << "Pellowick: " << fill(tr("cannot show the menu: the font {1} {2}"), {kFontFile, problem})
                  << std::endl;
        return false;
    }
    if (!font.loadFromFile(kFontFile)) {
        sf::err() << "Pellowick: "
                  << fill(tr("cannot show the menu: the font {1} is missing or unreadable"), {kFontFile})
                  << std::endl;
        return false;
    }
    gui.setFont(font);
    try {
        gui.loadWidgetsFromFile(kFormFile, true);
    } catch (const ui::FormError& error) {
        sf::err() << error.what() << std::endl;
        return false;
    }
    if (!connectButton("start", &StartScreen::onStartClicked) ||
        !connectButton("practice", &StartScreen::onPracticeClicked) ||
        !connectButton("levels", &StartScreen::onLevelsClicked) ||
        !connectButton("options", &StartScreen::onOptionsClicked) ||
        !connectButton("credits", &StartScreen::onCreditsClicked) ||
        !connectButton("controls", &StartScreen::onControlsClicked) ||
        !connectButton("exit", &StartScreen::onExitClicked)) {
        return false;
    }
    audioCheckBox = gui.get<ui::CheckBox>("audio");
    if (!audioCheckBox) {
        sf::err() << kFormFile << ": "
                  << fill(tr("the menu needs a {1} named \"{2}\""), {"CheckBox", "audio"}) << std::endl;
        return false;
    }
    audioCheckBox->onClick.connect(&StartScreen::onAudioClicked, this);
    welcomeNewPlayer();
    return true;
}

void StartScreen::welcomeNewPlayer() {
    GameStateManager* game = GameStateManager::getInstance();
    std::error_code ignored;
    const bool firstStart =
        !game->recordsPath.empty() && !std::filesystem::exists(game->recordsPath, ignored);
    if (!firstStart) {
        return;
    }
    welcomeLine = ui::Label::create(tr(kWelcome));
    welcomeLine->setTextSize(kWelcomeTextSize);
    welcomeLine->getRenderer()->setTextColor(MenuPalette::kPaleGold);
    welcomeLine->getRenderer()->setBackgroundColor(MenuPalette::nightBlue(kWelcomeOpacity));
    welcomeLine->getRenderer()->setBorders({10.0f, 4.0f, 10.0f, 4.0f});
    welcomeLine->getRenderer()->setBorderColor(sf::Color::Transparent);
    gui.add(welcomeLine, "welcome");
    welcomeLine->setPosition({(Letterbox::kPictureWidth - welcomeLine->getSize().x) / 2.0f, kWelcomeTop});
}

bool StartScreen::connectButton(const std::string& name, void (StartScreen::*handler)()) {
    auto button = gui.get<ui::Button>(name);
    if (!button) {
        sf::err() << kFormFile << ": " << fill(tr("the menu needs a {1} named \"{2}\""), {"Button", name})
                  << std::endl;
        return false;
    }
    button->onClick.connect(handler, this);
    return true;
}

void StartScreen::giveUp() {
    GameStateManager* game = GameStateManager::getInstance();
    game->exitStatus = 1;
    if (game->window) {
        game->window->close();
    }
}

void StartScreen::exit() {
    if (menuReady) {
        MenuFocus::remember(gui, GameStateManager::kStartScreen);
    }
}

void StartScreen::update(float) {
    if (!menuReady) {
        return;
    }
    GameStateManager* game = GameStateManager::getInstance();
    audioCheckBox->setChecked(game->settings.audio);

    if (game->window) {
        gui.setRelativeViewport(Letterbox::viewport(game->window->getSize()));
    }
    // Copy: a handler may not switch screens, but the list is the manager's.
    const std::vector<sf::Event> events = game->lastEvents;
    for (const sf::Event& event : events) {
        gui.handleEvent(event);
    }
    for (const ui::Gui::Move move : InputManager::getInstance()->gamepad.menuMoves()) {
        gui.move(move);
    }

    if (!startIdle) {
        game->mapPath = game->firstLevelPath;
        game->setState(GameStateManager::kIngameScreen);
        return;
    }
    if (!practiceIdle || !levelsIdle) {
        game->practiceList = !practiceIdle;
        game->setState(GameStateManager::kLevelListScreen);
        return;
    }
    if (!optionsIdle) {
        game->setState(GameStateManager::kOptionsScreen);
        return;
    }
    if (!creditsIdle) {
        game->setState(GameStateManager::kCreditsScreen);
        return;
    }
    if (!controlsIdle) {
        game->setState(GameStateManager::kControlsScreen);
        return;
    }
    if (!exitIdle && game->window) {
        game->window->close();
    }
}

void StartScreen::draw(sf::RenderWindow& window) {
    camera->draw(window);
    background->draw(window);
    if (menuReady) {
        gui.setRelativeViewport(Letterbox::viewport(window.getSize()));
        gui.draw();
    }
}

void StartScreen::handleInput(float) {}

void StartScreen::onStartClicked() {
    AssetManager::getInstance()->playSoundIfLoaded("buttonClick");
    startIdle = false;
}

void StartScreen::onPracticeClicked() {
    AssetManager::getInstance()->playSoundIfLoaded("buttonClick");
    practiceIdle = false;
}

void StartScreen::onLevelsClicked() {
    AssetManager::getInstance()->playSoundIfLoaded("buttonClick");
    levelsIdle = false;
}

void StartScreen::onControlsClicked() {
    AssetManager::getInstance()->playSoundIfLoaded("buttonClick");
    controlsIdle = false;
}

void StartScreen::onOptionsClicked() {
    AssetManager::getInstance()->playSoundIfLoaded("buttonClick");
    optionsIdle = false;
}

void StartScreen::onCreditsClicked() {
    AssetManager::getInstance()->playSoundIfLoaded("buttonClick");
    creditsIdle = false;
}

void StartScreen::onExitClicked() {
    AssetManager::getInstance()->playSoundIfLoaded("buttonClick");
    exitIdle = false;
}

void StartScreen::onAudioClicked() {
    GameStateManager* game = GameStateManager::getInstance();
    Settings& settings = game->settings;
    settings.audio = !settings.audio;
    AssetManager::getInstance()->setVolumes(settings.audio, settings.musicVolume, settings.effectsVolume);
    game->saveSettings();
}
