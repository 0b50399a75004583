#pragma once

#include "app/Settings.hpp"
#include "scene/Component.hpp"

#include <SFML/Graphics/Texture.hpp>
#include <SFML/System/Vector2.hpp>

class GameObject;
class StaticCmp;

// A dog: patrols back and forth from its home along one axis, runs at a flying
// egg or the player when one comes close (eggs are noticed from farther away,
// so a shot egg is a decoy), and walks back home when nothing is close.
class EnemyMovement : public Component {
public:
    static constexpr float kPatrolSpeed = 40.0f;
    static constexpr double kRunSpeed = 0.5 * 90.0;
    static constexpr double kInsideSightRange = 100.0;
    static constexpr double kOutsideSightRange = 150.0;
    static constexpr double kEggFactor = 0.75;
    static constexpr double kPlayerFactor = 0.5;
    // How far dogs see and how fast they chase, against Normal, on the easier and the harder game.
    static constexpr double kEasyScale = 0.75;
    static constexpr double kHardScale = 1.2;

    // The owner must already carry its StaticCmp, and "dogAngry" must be loaded.
    EnemyMovement(GameObject* owner, GameObject* target, std::string patrolAxis, float patrolDistanceX,
                  float patrolDistanceY, bool runsInUpdate);

    void process(sf::RenderWindow* window, float dt, std::string objectName) override;

    // Scales the sight range and the chase speed; Normal is the dog as it is.
    void setDifficulty(Settings::Difficulty level);
    // True from the frame the dog starts running at the player or an egg until it gives up; the start
    // plays the "alarm" effect once, when it is loaded.
    bool isChasing() const { return lookingAngry; }

    // Manhattan distance on coordinate differences truncated toward zero.
    static int distance(sf::Vector2f a, sf::Vector2f b);

    GameObject* owner;
    GameObject* target;
    sf::Vector2f home;
    bool reversing = false;
    float patrolSpeed = kPatrolSpeed;
    bool atHome = true;
    std::string patrolAxis;
    float patrolDistanceX;
    float patrolDistanceY;
    sf::Texture normalTexture;
    sf::Texture angryTexture;

private:
    void patrol(float dt);
    void showLook(StaticCmp& sprite, bool angry);
    void runTowards(sf::Vector2f from, sf::Vector2f goal, double speed, float dt);

    bool lookingAngry = false;
    double difficultyScale = 1.0;
};
