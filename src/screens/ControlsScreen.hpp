#pragma once

#include "input/PadNames.hpp"
#include "screens/PictureScreen.hpp"
#include "ui/Gui.hpp"

#include <optional>

// Shows the controls picture; Escape returns to the menu. The picture shows the
// default keys: when the player has bound others, a panel over it lists the keys
// actually bound, so the screen never shows a key that does nothing. When the
// player used a pad last the panel shows that pad's buttons, by their printed names.
class ControlsScreen final : public PictureScreen {
public:
    ControlsScreen();

    void init() override;
    void update(float dt) override;
    void draw(sf::RenderWindow& window) override;

    // Holds the panel only when some key is not the default one.
    ui::Gui boundKeys;

private:
    void buildBoundKeysPanel();
    // "Press B to go back" in the pad's own names, over the picture's line for the keyboard.
    void addPadFooter();

    bool panelBuilt = false;
    // The pad family whose buttons the panel names; nothing while it names keys.
    std::optional<PadNames::Family> padShown;
};
