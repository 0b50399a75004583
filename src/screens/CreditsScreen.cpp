#include "screens/CreditsScreen.hpp"

CreditsScreen::CreditsScreen() : PictureScreen("creditsScreen", "Assets/credits.png") {}
