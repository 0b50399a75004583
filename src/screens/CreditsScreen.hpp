#pragma once

#include "screens/PictureScreen.hpp"

// Shows the credits picture; Escape returns to the menu.
class CreditsScreen final : public PictureScreen {
public:
    CreditsScreen();
};
