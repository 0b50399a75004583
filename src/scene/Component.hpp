#pragma once

#include <SFML/Graphics/RenderWindow.hpp>
#include <string>

// A piece of behaviour of a game object. runsInUpdate puts it in its owner's
// update pass (true) or draw pass (false); it never changes.
class Component {
public:
    explicit Component(bool runsInUpdate) : runsInUpdate(runsInUpdate) {}
    virtual ~Component() = default;

    // window may be null in the update pass; objectName is the owner's name.
    virtual void process(sf::RenderWindow* window, float dt, std::string objectName) = 0;

    const bool runsInUpdate;
};
