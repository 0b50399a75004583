#pragma once

#include "screens/PictureScreen.hpp"
#include "ui/Gui.hpp"

// Shows the controls picture; Escape returns to the menu. The picture shows the
// default keys: when the player has bound others, a panel over it lists the keys
// actually bound, so the screen never shows a key that does nothing. While a pad
// is connected the panel shows, with the pad's buttons beside the keys.
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

    bool panelBuilt = false;
    bool padShown = false;
};
