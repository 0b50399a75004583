#include "screens/OptionsScreen.hpp"

#include "app/GameStateManager.hpp"
#include "app/InputManager.hpp"
#include "app/Letterbox.hpp"
#include "assets/AssetManager.hpp"
#include "i18n/Translator.hpp"
#include "input/ActionLabel.hpp"
#include "input/ActionTable.hpp"
#include "input/KeyNames.hpp"
#include "scene/CameraComponent.hpp"
#include "scene/StaticCmp.hpp"
#include "screens/MenuFocus.hpp"
#include "screens/MenuPalette.hpp"
#include "screens/ScreenPicture.hpp"
#include "storage/Settings.hpp"
#include "ui/TextFit.hpp"

#include <cmath>
#include <functional>
#include <utility>
#include <variant>

namespace {
const sf::Color kTrack(11, 17, 40);
const sf::FloatRect kPanelArea(90, 12, 620, 576);
const float kLeft = 120.0f;
const float kRowWidth = 560.0f;
const sf::Vector2f kGap(16.0f, 6.0f);
// Three to a row: keys, pad buttons, check boxes and choices alike.
const sf::Vector2f kCell(176.0f, 28.0f);
const float kSectionGap = 5.0f;
const float kSliderLeft = 170.0f;
const float kSliderWidth = 300.0f;
// How near the panel's edge a check box's words may come.
const float kPanelMargin = 12.0f;
const unsigned kSliderTextSize = 22;
const float kSliderLabelGap = 18.0f;
// The message line, right of the title and as wide as the panel leaves it.
const sf::Vector2f kMessageAt(300.0f, 40.0f);
const float kMessageWidth = 395.0f;
const unsigned kMessageTextSize = 20;
const unsigned kSmallestMessageTextSize = 12;

// The buttons' largest letters.
const unsigned kChoiceTextSize = 18;
const unsigned kKeyTextSize = 18;
const unsigned kPadTextSize = 16;
const unsigned kLastRowTextSize = 20;

// A longer translation gets smaller letters, down to these, rather than running out of its button.
const unsigned kSmallestButtonText = 12;
const float kButtonTextRoom = 10.0f;

// A label or check box's words get smaller letters, down to the buttons' smallest, to fit `room`.
template <class Words> void fitBeside(Words& words, float room, const sf::Font* font) {
    if (font) {
        words.setTextSize(
            ui::TextFit::sizeToFit(words.getText(), *font, words.getTextSize(), kSmallestButtonText, room));
    }
}

void showOnFace(ui::Button& button, const std::string& text, unsigned largest, const sf::Font* font) {
    button.setText(text);
    const float room = button.getSize().x - kButtonTextRoom;
    const unsigned size =
        font ? ui::TextFit::sizeToFit(text, *font, largest, kSmallestButtonText, room) : largest;
    button.setTextSize(size);
}

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

// A choice's words as shown: languages keep their own names.
std::string shownChoice(const SettingTable::Row& row, const std::string& english) {
    return row.choicesNameThemselves && english != row.choices.front().second ? english : tr(english.c_str());
}

// "Difficulty: Normal".
std::string choiceText(const SettingTable::Row& row, const Settings& settings) {
    const std::string value = std::get<std::string>(row.get(settings));
    for (const auto& [name, shown] : row.choices) {
        if (name == value) {
            // TRANSLATORS: a setting and its value on an Options button, "Difficulty: Normal".
            return fill(tr("{1}: {2}"), {tr(row.label.c_str()), shownChoice(row, shown)});
        }
    }
    return tr(row.label.c_str());
}

// The Options screen's word for an action: "Lay".
std::string wordFor(const std::string& action) {
    const ActionTable::Row* row = ActionTable::find(action);
    return row ? tr(row->option) : action;
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

void OptionsScreen::rebuildWords() {
    const std::string focus = gui.focusName();
    gui.removeAllWidgets();
    keyButtons.clear();
    padButtons.clear();
    sliders.clear();
    sliderValues.clear();
    checkBoxes.clear();
    choices.clear();
    buildWidgets();
    showSettings();
    gui.restoreFocus(focus, GameStateManager::getInstance()->keysInUse);
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
    wordsBuilt = Translator::instance().generation();
    addPanel();
    gui.add(makeLabel(tr("Options"), {kLeft + 10.0f, 22}, 36));
    ui::FlowLayout flow({kLeft, 80.0f}, kRowWidth, kGap);
    for (const SettingTable::Row& row : SettingTable::rows()) {
        if (row.control == SettingTable::Control::Slider) {
            buildSlider(row, flow);
        }
    }
    flow.endRow(kSectionGap);
    // TRANSLATORS: a heading over the Options screen's key buttons.
    addHeading(tr("Keys"), flow);
    buildKeyButtons(flow);
    flow.endRow(kSectionGap);
    // TRANSLATORS: a heading over the Options screen's game pad buttons.
    addHeading(tr("Pad"), flow);
    buildPadButtons(flow);
    flow.endRow(kSectionGap);
    buildSwitchesAndChoices(flow);
    flow.endRow(kSectionGap);
    buildLastRow(flow);
    fitCheckBoxWords();
}

void OptionsScreen::fitCheckBoxWords() {
    for (const auto& [path, box] : checkBoxes) {
        const float wordsStart = box->getPosition().x + box->getSize().x + box->textGap();
        float end = kPanelArea.left + kPanelArea.width - kPanelMargin;
        for (const auto& widget : gui.getWidgets()) {
            const float left = widget->getPosition().x;
            if (widget != box && left > wordsStart && left < end &&
                std::abs(widget->getPosition().y - box->getPosition().y) < kCell.y) {
                end = left - kGap.x;
            }
        }
        fitBeside(*box, end - wordsStart, gui.getFont());
    }
}

void OptionsScreen::addHeading(const std::string& text, ui::FlowLayout& flow) {
    auto heading = makeLabel(text, flow.place({kRowWidth, 20.0f}) + sf::Vector2f(4.0f, -3.0f), 17);
    heading->getRenderer()->setTextColor(MenuPalette::kPaleGold);
    gui.add(heading);
    flow.endRow(-3.0f);
}

void OptionsScreen::buildSlider(const SettingTable::Row& row, ui::FlowLayout& flow) {
    const sf::Vector2f at = flow.place({kRowWidth, 26.0f});
    auto label = makeLabel(tr(row.label.c_str()), {at.x + 10.0f, at.y - 2.0f}, kSliderTextSize);
    fitBeside(*label, kSliderLeft - kSliderLabelGap, gui.getFont());
    gui.add(label);
    auto slider = ui::Slider::create(static_cast<float>(row.least), static_cast<float>(row.most));
    slider->setStep(static_cast<float>(row.step));
    slider->setPosition({at.x + kSliderLeft, at.y + 2.0f});
    slider->setSize({kSliderWidth, 22});
    auto style = slider->getRenderer();
    style->setColor("TrackColor", kTrack);
    style->setColor("SelectedTrackColor", MenuPalette::kGold);
    style->setColor("ThumbColor", MenuPalette::kCream);
    style->setColor("ThumbColorHover", sf::Color::White);
    style->setBorderColor(MenuPalette::kGold);
    style->setColor("BorderColorHover", MenuPalette::kPaleGold);
    style->setBorders(1.0f);
    gui.add(slider, row.path);
    sliders[row.path] = slider;
    sliderValues[row.path] = makeLabel("", {at.x + kSliderLeft + kSliderWidth + 20.0f, at.y - 2.0f}, 22);
    gui.add(sliderValues[row.path]);
    slider->onValueChange.connect(
        [this, &row, moved = slider.get()] { changed(row, static_cast<int>(moved->getValue())); });
}

void OptionsScreen::buildKeyButtons(ui::FlowLayout& flow) {
    for (const ActionTable::Row& row : ActionTable::rows()) {
        if (row.keys.empty() || !row.rebindable) {
            continue;
        }
        auto button = addButton(ui::Button::create(), flow.place(kCell), kCell, "key" + row.name);
        const std::string action = row.name;
        button->onClick.connect([this, action] { capture.begin(action); });
        keyButtons[action] = button;
    }
}

void OptionsScreen::buildPadButtons(ui::FlowLayout& flow) {
    for (const ActionTable::Row& row : ActionTable::rows()) {
        if (row.buttons.empty() || !row.rebindable) {
            continue;
        }
        auto button = addButton(ui::Button::create(), flow.place(kCell), kCell, "pad" + row.name);
        const std::string action = row.name;
        button->onClick.connect([this, action] {
            padCapture = action;
            messageLine->setText(fill(tr("Press a pad button for {1} (Escape cancels)"), {wordFor(action)}));
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
    // TRANSLATORS: {1} is an action ("Lay"), {2} a pad button ("A").
    std::string line = fill(tr("{1} is now {2}"),
                            {wordFor(*padCapture), ActionLabel::forPad(*padCapture, settings, padFamily())});
    if (!swapped.empty()) {
        pad.bindButton(swapped, settings.padButton(swapped));
        // TRANSLATORS: follows "Lay is now A" when another action had that button: "Shoot takes X".
        line += fill(tr("; {1} takes {2}"),
                     {wordFor(swapped), ActionLabel::forPad(swapped, settings, padFamily())});
    }
    game->saveSettings();
    messageLine->setText(line);
    padCapture.reset();
}

PadNames::Family OptionsScreen::padFamily() {
    return InputManager::getInstance()->gamepad.family();
}

void OptionsScreen::buildSwitchesAndChoices(ui::FlowLayout& flow) {
    for (const SettingTable::Row& row : SettingTable::rows()) {
        if (row.control == SettingTable::Control::Choice) {
            auto button =
                addButton(std::make_shared<StepButton>([this, &row](int step) { nextChoice(row, step); }),
                          flow.place(kCell), kCell, row.path);
            button->onClick.connect([this, &row] { nextChoice(row, 1); });
            choices[row.path] = button;
        } else if (row.control == SettingTable::Control::CheckBox) {
            auto box = makeCheckBox(tr(row.label.c_str()), flow.place(kCell) + sf::Vector2f(4.0f, 2.0f));
            gui.add(box, row.path);
            // The widget's own signal must not own the widget: a plain pointer, valid while the Gui holds it.
            box->onClick.connect([this, &row, shown = box.get()] { changed(row, shown->isChecked()); });
            checkBoxes[row.path] = box;
        }
    }
}

void OptionsScreen::buildLastRow(ui::FlowLayout& flow) {
    // TRANSLATORS: an Options button of about 18 letters.
    resetKeysButton = addButton(ui::Button::create(), flow.place(kCell), kCell, "resetKeys");
    showOnFace(*resetKeysButton, tr("Reset keys"), kLastRowTextSize, gui.getFont());
    resetKeysButton->onClick.connect([this] {
        GameStateManager* game = GameStateManager::getInstance();
        game->settings.keys = Settings().keys;
        game->settings.padButtons = Settings().padButtons;
        game->saveSettings();
        messageLine->setText(tr("Every action has its first key and pad button again"));
    });
    // TRANSLATORS: an Options button of about 18 letters.
    backButton = addButton(ui::Button::create(), flow.place(kCell), kCell, "back");
    showOnFace(*backButton, tr("Back"), kLastRowTextSize, gui.getFont());
    backButton->onClick.connect([this] { backChosen = true; });
    flow.endRow();
    // Beside the title, where it never runs into the controls however many rows the tables grow.
    messageLine = makeLabel("", kMessageAt, kMessageTextSize);
    messageLine->getRenderer()->setTextColor(MenuPalette::kPaleGold);
    gui.add(messageLine);
}

void OptionsScreen::showSettings() {
    const GameStateManager* game = GameStateManager::getInstance();
    const Settings& settings = game->settings;
    for (const SettingTable::Row& row : SettingTable::rows()) {
        const SettingTable::Value value = row.get(settings);
        if (const auto slider = sliders.find(row.path); slider != sliders.end()) {
            slider->second->setValue(static_cast<float>(std::get<int>(value)));
            sliderValues[row.path]->setText(std::to_string(std::get<int>(value)));
        }
        if (const auto box = checkBoxes.find(row.path); box != checkBoxes.end()) {
            // The window as it is: --fullscreen may have overridden the saved choice for this run.
            const bool window = row.effect == SettingTable::Effect::Window && game->window;
            box->second->setChecked(window ? game->windowIsFullscreen : std::get<bool>(value));
        }
        if (const auto choice = choices.find(row.path); choice != choices.end()) {
            showOnFace(*choice->second, choiceText(row, settings), kChoiceTextSize, gui.getFont());
        }
    }
    for (auto& [action, button] : keyButtons) {
        const bool waiting = capture.isActive() && capture.actionChosen() == action;
        // TRANSLATORS: on a key button while it waits for the key: "Lay: press a key".
        showOnFace(
            *button,
            fill(tr("{1}: {2}"),
                 {wordFor(action), waiting ? tr("press a key") : ActionLabel::forKeyboard(action, settings)}),
            kKeyTextSize, gui.getFont());
    }
    for (auto& [action, button] : padButtons) {
        const bool waiting = padCapture == action;
        // TRANSLATORS: on a small pad button while it waits for the button: "Lay: press".
        showOnFace(*button,
                   fill(tr("{1}: {2}"),
                        {wordFor(action),
                         waiting ? tr("press") : ActionLabel::forPad(action, settings, padFamily())}),
                   kPadTextSize, gui.getFont());
    }
    if (padCapture) {
        return;
    }
    if (capture.isActive() || !capture.message().empty()) {
        messageLine->setText(capture.message());
    }
}

void OptionsScreen::changed(const SettingTable::Row& row, const SettingTable::Value& value) {
    GameStateManager* game = GameStateManager::getInstance();
    if (row.effect == SettingTable::Effect::Window) {
        // Switching saves the choice itself.
        if (game->switchFullscreen) {
            game->switchFullscreen();
        }
        return;
    }
    if (row.get(game->settings) == value) {
        return;
    }
    row.set(game->settings, value);
    if (row.effect == SettingTable::Effect::Language) {
        Translator::instance().choose(game->settings.language);
    }
    if (row.effect == SettingTable::Effect::Volumes) {
        const Settings& settings = game->settings;
        AssetManager* assets = AssetManager::getInstance();
        assets->setVolumes(settings.audio, settings.musicVolume, settings.effectsVolume);
        if (row.path == "audio.effects") {
            assets->playSoundIfLoaded("buttonClick"); // what the effects sound like now
        }
    }
    game->saveSettings();
}

void OptionsScreen::nextChoice(const SettingTable::Row& row, int direction) {
    const std::string now = std::get<std::string>(row.get(GameStateManager::getInstance()->settings));
    const int count = static_cast<int>(row.choices.size());
    int index = 0;
    while (index < count && row.choices[static_cast<std::size_t>(index)].first != now) {
        ++index;
    }
    const int next = ((index % count) + count + direction) % count;
    changed(row, row.choices[static_cast<std::size_t>(next)].first);
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
    if (wordsBuilt != Translator::instance().generation()) {
        rebuildWords(); // the language changed: the next frame shows the new words
    }
    showSettings();
}

void OptionsScreen::addPanel() {
    auto panel = ui::Label::create();
    panel->setPosition({kPanelArea.left, kPanelArea.top});
    panel->setSize({kPanelArea.width, kPanelArea.height});
    panel->getRenderer()->setBackgroundColor(MenuPalette::nightBlue(245));
    panel->getRenderer()->setBorders({2.0f, 2.0f, 2.0f, 2.0f});
    panel->getRenderer()->setBorderColor(MenuPalette::kGold);
    gui.add(panel, "panel");
}

void OptionsScreen::fitMessage() {
    const sf::Font* font = gui.getFont();
    const std::string text = messageLine->getText();
    const unsigned size =
        font ? ui::TextFit::sizeToFit(text, *font, kMessageTextSize, kSmallestMessageTextSize, kMessageWidth)
             : kMessageTextSize;
    messageLine->setTextSize(size);
}

void OptionsScreen::draw(sf::RenderWindow& window) {
    fitMessage();
    camera->draw(window);
    background->draw(window);
    gui.setRelativeViewport(Letterbox::viewport(window.getSize()));
    gui.draw();
}
