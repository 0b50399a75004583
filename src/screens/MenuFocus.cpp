#include "screens/MenuFocus.hpp"

#include "app/GameStateManager.hpp"

void MenuFocus::restore(ui::Gui& gui, int screen) {
    const GameStateManager* game = GameStateManager::getInstance();
    const auto found = game->menuFocus.find(screen);
    gui.restoreFocus(found == game->menuFocus.end() ? "" : found->second, game->keysInUse);
}

void MenuFocus::remember(const ui::Gui& gui, int screen) {
    GameStateManager::getInstance()->menuFocus[screen] = gui.focusName();
}

void MenuFocus::noteInput(const sf::Event& event) {
    bool& keysInUse = GameStateManager::getInstance()->keysInUse;
    switch (event.type) {
    case sf::Event::KeyPressed:
    case sf::Event::JoystickButtonPressed:
        keysInUse = true;
        break;
    case sf::Event::MouseButtonPressed:
        keysInUse = false;
        break;
    default:
        break;
    }
}
