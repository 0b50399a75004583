#include "screens/ControlsScreen.hpp"

ControlsScreen::ControlsScreen() : PictureScreen("controlsScreen", "Assets/controls.png") {}
