#include "screens/ControlsScreen.hpp"

#include "app/GameStateManager.hpp"
#include "app/InputManager.hpp"
#include "app/Letterbox.hpp"
#include "i18n/Translator.hpp"
#include "input/ActionLabel.hpp"
#include "input/ActionTable.hpp"
#include "storage/Settings.hpp"
#include "ui/Label.hpp"

#include <algorithm>

namespace {
// The panel covers the picture's key caps and their descriptions, below the title.
const sf::FloatRect kPanel{90.0f, 110.0f, 640.0f, 420.0f};
const float kPadding = 24.0f;
const float kKeyColumn = 290.0f;
const unsigned kTextSize = 24;
const sf::Color kPanelColour(10, 14, 40, 240);
const sf::Color kTextColour(232, 238, 255);
const sf::Color kKeyColour(255, 217, 138);
// Over the picture's "Press Escape to go back", which a pad player cannot press.
const sf::FloatRect kFooter{180.0f, 536.0f, 440.0f, 44.0f};
const unsigned kFooterTextSize = 26;

std::shared_ptr<ui::Label> makeLabel(const std::string& text, sf::Vector2f position, sf::Color colour) {
    auto label = ui::Label::create(text);
    label->setTextSize(kTextSize);
    label->setPosition(position);
    label->getRenderer()->setTextColor(colour);
    return label;
}
} // namespace

ControlsScreen::ControlsScreen() : PictureScreen("controlsScreen", "Assets/controls.png") {}

void ControlsScreen::init() {
    PictureScreen::init();
    update(0.0f);
}

void ControlsScreen::update(float) {
    // The panel follows the device the player used last, and the kind of pad.
    const Gamepad& pad = InputManager::getInstance()->gamepad;
    const std::optional<PadNames::Family> shown =
        pad.wasUsedLast() ? std::optional<PadNames::Family>(pad.family()) : std::nullopt;
    if (panelBuilt && shown == padShown) {
        return;
    }
    panelBuilt = true;
    padShown = shown;
    boundKeys.removeAllWidgets();
    if (padShown || !GameStateManager::getInstance()->settings.keysAreDefault()) {
        buildBoundKeysPanel();
    }
}

void ControlsScreen::buildBoundKeysPanel() {
    if (sf::RenderWindow* window = GameStateManager::getInstance()->window) {
        boundKeys.setTarget(*window);
    }
    boundKeys.setAbsoluteView(Letterbox::pictureArea());
    if (!boundKeys.getFont()) {
        boundKeys.setFont("Assets/arial.ttf"); // the columns and the footer are measured as they are placed
    }
    auto panel = ui::Label::create("");
    panel->setPosition({kPanel.left, kPanel.top});
    panel->setSize({kPanel.width, kPanel.height});
    panel->getRenderer()->setBackgroundColor(kPanelColour);
    boundKeys.add(panel, "panel");

    std::string actions = (padShown ? tr("Your pad") : tr("Your keys")) + "\n";
    std::string keys = "\n";
    for (const ActionTable::Row& row : ActionTable::rows()) {
        // The menus' own actions are named together below, on a pad.
        if (!row.keys.empty()) {
            actions += tr(row.controls) + "\n";
            keys += ActionLabel::of(row.name) + "\n";
        }
    }
    if (padShown) {
        // TRANSLATORS: the Controls screen's panel for a pad, one line each; about 22 letters.
        actions += tr("Aim") + "\n" + tr("Menus: choose, back");
        keys += tr("Right stick") + "\n" + ActionLabel::of("ACCEPT") + ", " + ActionLabel::of("BACK");
    } else {
        // TRANSLATORS: the Controls screen's panel, one line each; about 22 letters.
        actions += tr("Shoot at the pointer") + "\n" + tr("Fullscreen");
        keys += tr("Left click") + "\nF11";
    }
    const sf::Vector2f corner(kPanel.left + kPadding, kPanel.top + kPadding);
    auto names = makeLabel(actions, corner, kTextColour);
    boundKeys.add(names, "actions");
    // Right of the longest name, however long the names are in the language shown.
    const float keyColumn = std::max(kKeyColumn, names->getSize().x + kPadding);
    boundKeys.add(makeLabel(keys, corner + sf::Vector2f(keyColumn, 0.0f), kKeyColour),
                  padShown ? "pad" : "keys");
    if (padShown) {
        addPadFooter();
    }
}

void ControlsScreen::addPadFooter() {
    auto band = ui::Label::create("");
    band->setPosition({kFooter.left, kFooter.top});
    band->setSize({kFooter.width, kFooter.height});
    band->getRenderer()->setBackgroundColor(kPanelColour);
    boundKeys.add(band, "footerBand");
    auto footer = makeLabel(fill(tr("Press {1} to go back"), {ActionLabel::of("BACK")}), {}, kKeyColour);
    footer->setTextSize(kFooterTextSize);
    boundKeys.add(footer, "footer");
    const sf::Vector2f size = footer->getSize();
    footer->setPosition(
        {kFooter.left + (kFooter.width - size.x) / 2.0f, kFooter.top + (kFooter.height - size.y) / 2.0f});
}

void ControlsScreen::draw(sf::RenderWindow& window) {
    PictureScreen::draw(window);
    boundKeys.setRelativeViewport(Letterbox::viewport(window.getSize()));
    boundKeys.draw();
}
