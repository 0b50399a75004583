#include "screens/MenuFocus.hpp"

#include "app/GameStateManager.hpp"
#include "app/InputManager.hpp"

void MenuFocus::restore(ui::Gui& gui, int screen) {
    const GameStateManager* game = GameStateManager::getInstance();
    const auto found = game->menuFocus.find(screen);
    const bool byKeysOrPad = game->keysInUse || InputManager::getInstance()->gamepad.wasUsedLast();
    gui.restoreFocus(found == game->menuFocus.end() ? "" : found->second, byKeysOrPad);
}

void MenuFocus::remember(const ui::Gui& gui, int screen) {
    GameStateManager::getInstance()->menuFocus[screen] = gui.focusName();
}

void MenuFocus::noteInput(const sf::Event& event) {
    bool& keysInUse = GameStateManager::getInstance()->keysInUse;
    switch (event.type) {
    case sf::Event::KeyPressed:
        keysInUse = true;
        break;
    case sf::Event::MouseButtonPressed:
        keysInUse = false;
        break;
    default:
        break;
    }
}
