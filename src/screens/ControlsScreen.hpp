#pragma once

#include "screens/PictureScreen.hpp"

// Shows the controls picture; Escape returns to the menu.
class ControlsScreen final : public PictureScreen {
public:
    ControlsScreen();
};
