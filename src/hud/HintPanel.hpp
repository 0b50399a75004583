#pragma once

#include "scene/GameObjectManager.hpp"
#include "ui/Gui.hpp"
#include "ui/Label.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <memory>
#include <string>
#include <vector>

// The words of the hint the player stands in, in a strip at the bottom of the picture, wrapped to fit it.
// Controls named in braces show what is bound now: "{LAY}" the key after the keyboard, the pad's button
// after a pad; "{MOVE}" the four movement keys, or the stick.
class HintPanel {
public:
    // Without a window nothing is drawn, but the hint is still chosen.
    void build(sf::RenderWindow* window);
    // Shows the first hint whose area the player's box overlaps, or none.
    void update(sf::FloatRect playerBox, const std::vector<GameObjectManager::Hint>& hints);
    void draw(sf::RenderWindow& window);
    // The words shown now, with the controls filled in; "" when the player stands in no hint.
    const std::string& shownText() const { return shown; }

    // The hint's text with every known control in braces replaced by its name for the device used last.
    static std::string withControls(const std::string& text);

    // The strip, in the picture's coordinates.
    ui::Gui gui;

private:
    void show(const std::string& text);

    std::shared_ptr<ui::Label> strip;
    std::string shown;
};
