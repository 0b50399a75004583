#pragma once

#include "app/GameClock.hpp"
#include "scene/Component.hpp"

#include <SFML/System/Vector2.hpp>

class GameObject;

// An egg's life after it is laid: a one-second arming delay, then a shot
// towards the mouse pointer with the left button (or along the player's shot
// direction), a flight that slows to a halt over six seconds, and rest where it stops.
class EggComponent : public Component {
public:
    static constexpr float kFlightFactorStart = 300.0f;
    static constexpr float kFlightDecayPerSecond = 50.0f;
    static constexpr double kShotForce = 25.0;

    explicit EggComponent(GameObject* owner);

    void process(sf::RenderWindow* window, float dt, std::string objectName) override;
    // Takes aim at this frame's mouse position in the world.
    void aim();
    // Takes aim along a direction, with the same force as at the pointer.
    void aimAlong(sf::Vector2f direction);
    // Ends the flight: the egg lies still and can be picked up again.
    void stop();

    GameObject* owner;
    bool laid = false;
    bool arming = false;
    bool flying = false;
    bool ready = false;
    int timesShot = 0; // for the end screen's numbers
    sf::Vector2<double> aimDirection;
    float flightFactor = kFlightFactorStart;
    sf::Vector2f shotForce;
    GameClock armClock;
    sf::Vector2i mouseTarget;
    // The share of real time the level runs at (the game speed). Arming takes a second of the level's time,
    // and the shot's kick is that of a real frame: a slower game flies the egg as far, more slowly.
    float timeScale = 1.0f;

private:
    void fly(float dt);
};
