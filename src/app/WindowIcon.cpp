#include "app/WindowIcon.hpp"

#include <SFML/Graphics/Image.hpp>

bool WindowIcon::apply(sf::Window& window) {
    sf::Image icon;
    if (!icon.loadFromFile(kPath)) {
        return false;
    }
    window.setIcon(icon.getSize().x, icon.getSize().y, icon.getPixelsPtr());
    return true;
}
