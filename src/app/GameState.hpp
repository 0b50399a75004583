#pragma once

#include <SFML/Graphics/RenderWindow.hpp>

// One screen of the game. The state manager owns the running screen through a
// shared pointer of its concrete class, so no virtual destructor is needed here.
class GameState {
public:
    virtual void init() = 0;
    virtual void exit() = 0;
    virtual void update(float dt) = 0;
    virtual void draw(sf::RenderWindow& window) = 0;
    virtual void handleInput(float dt) = 0;
    // True when the next draw() paints the whole picture opaque, so the frame skips the picture's background.
    virtual bool coversPicture() const { return false; }

protected:
    ~GameState() = default;
};
