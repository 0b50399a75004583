#include "screens/OptionsScreen.hpp"

#include "app/GameStateManager.hpp"
#include "app/InputManager.hpp"
#include "app/Letterbox.hpp"
#include "assets/AssetManager.hpp"
#include "input/ActionLabel.hpp"
#include "input/KeyNames.hpp"
#include "scene/CameraComponent.hpp"
#include "scene/StaticCmp.hpp"
#include "screens/MenuFocus.hpp"
#include "screens/MenuPalette.hpp"
#include "screens/ScreenPicture.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <functional>
#include <utility>

namespace {
const sf::Color kTrack(11, 17, 40);
const sf::FloatRect kPanelArea(90, 12, 620, 576);
const float kLabelLeft = 130.0f;
const float kControlLeft = 300.0f;
const float kSliderWidth = 300.0f;
const float kKeyTop = 168.0f;
const float kKeyPitch = 36.0f;
const sf::Vector2f kKeySize(260, 32);
// The pad's buttons, three to a row under the keys.
const std::size_t kPadPerRow = 3;
const sf::Vector2f kPadSize(172, 32);

// A button whose value Left and Right step through while it has the focus.
class StepButton : public ui::Button {
public:
    explicit StepButton(std::function<void(int)> stepper) : step(std::move(stepper)) {}
    bool focusedKeyPressed(sf::Keyboard::Key key) override {
        if (key != sf::Keyboard::Left && key != sf::Keyboard::Right) {
            return false;
        }
        step(key == sf::Keyboard::Left ? -1 : 1);
        return true;
    }

private:
    std::function<void(int)> step;
};

std::string difficultyText(Settings::Difficulty level) {
    const std::string name = Settings::nameOf(level);
    return "Difficulty: " + std::string(1, static_cast<char>(name[0] - 'a' + 'A')) + name.substr(1);
}

// A check box in the menu's night blue and gold.
std::shared_ptr<ui::CheckBox> makeCheckBox(const std::string& text, sf::Vector2f at) {
    auto box = ui::CheckBox::create(text);
    box->setPosition(at);
    box->setSize({26, 26});
    box->setTextSize(20);
    auto style = box->getRenderer();
    style->setBackgroundColor(MenuPalette::kNightBlue);
    style->setBorderColor(MenuPalette::kGold);
    style->setBorders(2.0f);
    style->setColor("CheckColor", MenuPalette::kPaleGold);
    style->setTextColor(MenuPalette::kCream);
    return box;
}

std::shared_ptr<ui::Label> makeLabel(const std::string& text, sf::Vector2f at, unsigned size) {
    auto label = ui::Label::create(text);
    label->setTextSize(size);
    label->setPosition(at);
    label->getRenderer()->setTextColor(MenuPalette::kCream);
    return label;
}
} // namespace

void OptionsScreen::init() {
    background = ScreenPicture::makeTitleBackground();
    camera = ScreenPicture::makeTitleCamera(background);
    if (sf::RenderWindow* window = GameStateManager::getInstance()->window) {
        gui.setTarget(*window);
    }
    gui.setAbsoluteView(Letterbox::pictureArea());
    gui.setFont("Assets/arial.ttf");
    buildWidgets();
    showSettings();
    MenuFocus::restore(gui, GameStateManager::kOptionsScreen);
}

void OptionsScreen::exit() {
    MenuFocus::remember(gui, GameStateManager::kOptionsScreen);
}

std::shared_ptr<ui::Button> OptionsScreen::addButton(std::shared_ptr<ui::Button> button, sf::Vector2f at,
                                                     sf::Vector2f size, const std::string& name) {
    button->setPosition(at);
    button->setSize(size);
    button->setTextSize(20);
    auto style = button->getRenderer();
    style->setBackgroundColor(MenuPalette::kNightBlue);
    style->setColor("BackgroundColorHover", MenuPalette::kHoverBlue);
    style->setBorderColor(MenuPalette::kGold);
    style->setColor("BorderColorHover", MenuPalette::kPaleGold);
    style->setBorders(2.0f);
    style->setTextColor(MenuPalette::kCream);
    gui.add(button, name);
    return button;
}

void OptionsScreen::buildWidgets() {
    gui.add(makeLabel("Options", {kLabelLeft, 22}, 36));
    buildVolumeRow("Music", 84, musicSlider);
    buildVolumeRow("Effects", 124, effectsSlider);
    musicValue = makeLabel("", {kControlLeft + kSliderWidth + 20, 80}, 22);
    effectsValue = makeLabel("", {kControlLeft + kSliderWidth + 20, 120}, 22);
    gui.add(musicValue);
    gui.add(effectsValue);
    musicSlider->onValueChange.connect([this] { volumesChanged(false); });
    effectsSlider->onValueChange.connect([this] { volumesChanged(true); });
    buildKeyButtons();
    buildPadButtons();
    buildLowerRows();
}

void OptionsScreen::buildVolumeRow(const std::string& name, float top, std::shared_ptr<ui::Slider>& slider) {
    gui.add(makeLabel(name, {kLabelLeft, top - 4}, 22));
    slider = ui::Slider::create(0, static_cast<float>(Settings::kMostVolume));
    slider->setStep(5);
    slider->setPosition({kControlLeft, top});
    slider->setSize({kSliderWidth, 22});
    auto style = slider->getRenderer();
    style->setColor("TrackColor", kTrack);
    style->setColor("SelectedTrackColor", MenuPalette::kGold);
    style->setColor("ThumbColor", MenuPalette::kCream);
    style->setColor("ThumbColorHover", sf::Color::White);
    style->setBorderColor(MenuPalette::kGold);
    style->setColor("BorderColorHover", MenuPalette::kPaleGold);
    style->setBorders(1.0f);
    gui.add(slider, name);
}

void OptionsScreen::buildKeyButtons() {
    const std::vector<std::string>& actions = Settings::actions();
    const std::size_t perColumn = (actions.size() + 1) / 2;
    for (std::size_t i = 0; i < actions.size(); ++i) {
        const sf::Vector2f at(kLabelLeft + static_cast<float>(i / perColumn) * (kKeySize.x + 20),
                              kKeyTop + static_cast<float>(i % perColumn) * kKeyPitch);
        auto button = addButton(ui::Button::create(), at, kKeySize, "key" + actions[i]);
        button->setTextSize(18);
        const std::string action = actions[i];
        button->onClick.connect([this, action] { capture.begin(action); });
        keyButtons[action] = button;
    }
}

float OptionsScreen::padTop() {
    return kKeyTop + static_cast<float>((Settings::actions().size() + 1) / 2) * kKeyPitch + 4;
}

void OptionsScreen::buildPadButtons() {
    const std::vector<std::string>& actions = Settings::padActions();
    for (std::size_t i = 0; i < actions.size(); ++i) {
        const sf::Vector2f at(kLabelLeft + static_cast<float>(i % kPadPerRow) * (kPadSize.x + 16),
                              padTop() + static_cast<float>(i / kPadPerRow) * kKeyPitch);
        auto button = addButton(ui::Button::create(), at, kPadSize, "pad" + actions[i]);
        button->setTextSize(16);
        const std::string action = actions[i];
        button->onClick.connect([this, action] {
            padCapture = action;
            messageLine->setText("Press a pad button for " + action + " (Escape cancels)");
        });
        padButtons[action] = button;
    }
}

void OptionsScreen::choosePadButton() {
    const std::optional<SDL_GameControllerButton> pressed =
        InputManager::getInstance()->gamepad.buttonPressed();
    if (!padCapture || !pressed) {
        return;
    }
    GameStateManager* game = GameStateManager::getInstance();
    Settings& settings = game->settings;
    const std::string swapped = settings.bindPadButton(*padCapture, *pressed);
    Gamepad& pad = InputManager::getInstance()->gamepad;
    pad.bindButton(*padCapture, *pressed);
    std::string line = *padCapture + " is now " + ActionLabel::forPad(*padCapture, settings, padFamily());
    if (!swapped.empty()) {
        pad.bindButton(swapped, settings.padButton(swapped));
        line += "; " + swapped + " takes " + ActionLabel::forPad(swapped, settings, padFamily());
    }
    game->saveSettings();
    messageLine->setText(line);
    padCapture.reset();
}

PadNames::Family OptionsScreen::padFamily() {
    return InputManager::getInstance()->gamepad.family();
}

void OptionsScreen::buildLowerRows() {
    const float top =
        padTop() +
        static_cast<float>((Settings::padActions().size() + kPadPerRow - 1) / kPadPerRow) * kKeyPitch + 8;
    difficultyButton = addButton(std::make_shared<StepButton>([this](int step) { nextDifficulty(step); }),
                                 {kLabelLeft, top}, kKeySize, "difficulty");
    difficultyButton->onClick.connect([this] { nextDifficulty(1); });
    fullscreenBox = makeCheckBox("Fullscreen", {kLabelLeft + kKeySize.x + 20, top + 4});
    gui.add(fullscreenBox, "fullscreen");
    fullscreenBox->onClick.connect([] {
        if (GameStateManager::getInstance()->switchFullscreen) {
            GameStateManager::getInstance()->switchFullscreen();
        }
    });
    sightBox = makeCheckBox("Show sight", {kLabelLeft + kKeySize.x + 170, top + 4});
    gui.add(sightBox, "showSight");
    sightBox->onClick.connect([this] {
        GameStateManager* game = GameStateManager::getInstance();
        game->settings.showSight = sightBox->isChecked();
        game->saveSettings();
    });
    buildRumbleBox();
    // Above Show sight, in the free place beside Rumble.
    ghostBox = makeCheckBox("Show ghost", {kLabelLeft + kKeySize.x + 170, rumbleBox->getPosition().y});
    gui.add(ghostBox, "showGhost");
    ghostBox->onClick.connect([this] {
        GameStateManager* game = GameStateManager::getInstance();
        game->settings.showGhost = ghostBox->isChecked();
        game->saveSettings();
    });
    resetKeysButton =
        addButton(ui::Button::create("Reset keys"), {kLabelLeft, top + kKeyPitch + 4}, kKeySize, "resetKeys");
    resetKeysButton->onClick.connect([this] {
        GameStateManager* game = GameStateManager::getInstance();
        game->settings.keys = Settings().keys;
        game->settings.padButtons = Settings().padButtons;
        game->saveSettings();
        messageLine->setText("Every action has its first key and pad button again");
    });
    backButton = addButton(ui::Button::create("Back"), {kLabelLeft + kKeySize.x + 20, top + kKeyPitch + 4},
                           kKeySize, "back");
    backButton->onClick.connect([this] { backChosen = true; });
    messageLine = makeLabel("", {kLabelLeft, top + 2 * kKeyPitch + 12}, 20);
    messageLine->getRenderer()->setTextColor(MenuPalette::kPaleGold);
    gui.add(messageLine);
}

void OptionsScreen::buildRumbleBox() {
    // In the free place after the last pad button: rumble is the pad's too.
    const std::size_t slot = Settings::padActions().size();
    rumbleBox =
        makeCheckBox("Rumble", {kLabelLeft + static_cast<float>(slot % kPadPerRow) * (kPadSize.x + 16) + 8,
                                padTop() + static_cast<float>(slot / kPadPerRow) * kKeyPitch + 3});
    gui.add(rumbleBox, "rumble");
    rumbleBox->onClick.connect([] {
        GameStateManager* game = GameStateManager::getInstance();
        game->settings.rumble = !game->settings.rumble;
        game->saveSettings();
    });
}

void OptionsScreen::showSettings() {
    const Settings& settings = GameStateManager::getInstance()->settings;
    musicSlider->setValue(static_cast<float>(settings.musicVolume));
    effectsSlider->setValue(static_cast<float>(settings.effectsVolume));
    musicValue->setText(std::to_string(settings.musicVolume));
    effectsValue->setText(std::to_string(settings.effectsVolume));
    for (auto& [action, button] : keyButtons) {
        const bool waiting = capture.isActive() && capture.actionChosen() == action;
        button->setText(action + ": " + (waiting ? "press a key" : KeyNames::nameOf(settings.key(action))));
    }
    for (auto& [action, button] : padButtons) {
        const bool waiting = padCapture == action;
        button->setText(action + ": " +
                        (waiting ? "press" : PadNames::label(padFamily(), settings.padButton(action))));
    }
    difficultyButton->setText(difficultyText(settings.difficulty));
    // The window as it is: --fullscreen may have overridden the saved choice for this run.
    const GameStateManager* game = GameStateManager::getInstance();
    fullscreenBox->setChecked(game->window ? game->windowIsFullscreen : settings.fullscreen);
    sightBox->setChecked(settings.showSight);
    ghostBox->setChecked(settings.showGhost);
    rumbleBox->setChecked(settings.rumble);
    if (padCapture) {
        return;
    }
    if (capture.isActive() || !capture.message().empty()) {
        messageLine->setText(capture.message());
    }
}

void OptionsScreen::volumesChanged(bool effectsMoved) {
    GameStateManager* game = GameStateManager::getInstance();
    Settings& settings = game->settings;
    settings.musicVolume = static_cast<int>(musicSlider->getValue());
    settings.effectsVolume = static_cast<int>(effectsSlider->getValue());
    AssetManager* assets = AssetManager::getInstance();
    assets->setVolumes(settings.audio, settings.musicVolume, settings.effectsVolume);
    if (effectsMoved) {
        assets->playSoundIfLoaded("buttonClick");
    }
    game->saveSettings();
}

void OptionsScreen::nextDifficulty(int direction) {
    GameStateManager* game = GameStateManager::getInstance();
    const int level = (static_cast<int>(game->settings.difficulty) + 3 + direction) % 3;
    game->settings.difficulty = static_cast<Settings::Difficulty>(level);
    game->saveSettings();
}

void OptionsScreen::handleEvent(const sf::Event& event) {
    if (padCapture) {
        // Only a pad button or Escape ends the choice of a pad button.
        if (event.type == sf::Event::KeyPressed && event.key.code == sf::Keyboard::Escape) {
            padCapture.reset();
            messageLine->setText("");
        }
        return;
    }
    if (capture.isActive()) {
        // The key being chosen is the capture's, not a focus move; the mouse waits until it is chosen.
        GameStateManager* game = GameStateManager::getInstance();
        if (event.type == sf::Event::KeyPressed &&
            capture.press(event.key.code, event.key.alt, game->settings) == KeyCapture::Result::Bound) {
            game->saveSettings();
        }
        return;
    }
    if (event.type == sf::Event::KeyPressed && event.key.code == sf::Keyboard::Escape) {
        backChosen = true;
        return;
    }
    gui.handleEvent(event);
}

void OptionsScreen::update(float) {
    GameStateManager* game = GameStateManager::getInstance();
    // Copy: the manager's list must not change under the loop.
    const std::vector<sf::Event> events = game->lastEvents;
    for (const sf::Event& event : events) {
        handleEvent(event);
    }
    const Gamepad& pad = InputManager::getInstance()->gamepad;
    choosePadButton();
    if (!capture.isActive() && !padCapture) {
        backChosen = backChosen || pad.isPressed("BACK");
        for (const ui::Gui::Move move : pad.menuMoves()) {
            gui.move(move);
        }
    }
    if (backChosen) {
        AssetManager::getInstance()->playSoundIfLoaded("buttonClick");
        game->setState(GameStateManager::kStartScreen);
        return;
    }
    showSettings();
}

void OptionsScreen::draw(sf::RenderWindow& window) {
    camera->draw(window);
    background->draw(window);
    gui.setRelativeViewport(Letterbox::viewport(window.getSize()));
    const sf::View previous = window.getView();
    window.setView(gui.getView());
    sf::RectangleShape panel({kPanelArea.width, kPanelArea.height});
    panel.setPosition(kPanelArea.left, kPanelArea.top);
    panel.setFillColor(MenuPalette::nightBlue(245));
    panel.setOutlineColor(MenuPalette::kGold);
    panel.setOutlineThickness(2.0f);
    window.draw(panel);
    window.setView(previous);
    gui.draw();
}
