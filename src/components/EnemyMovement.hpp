#pragma once

#include "scene/Component.hpp"
#include "storage/Settings.hpp"

#include <SFML/Graphics/Texture.hpp>
#include <SFML/System/Vector2.hpp>
#include <optional>
#include <string>

class GameObject;
class StaticCmp;

// A dog: patrols back and forth from its home along one axis, runs at a flying
// egg or the player when one comes close (eggs are noticed from farther away,
// so a shot egg is a decoy), and walks back home when nothing is close.
class EnemyMovement : public Component {
public:
    // The standard dog; a level may give one dog its own sight range and patrol speed.
    static constexpr float kPatrolSpeed = 40.0f;
    static constexpr double kRunSpeed = 0.5 * 90.0;
    static constexpr double kInsideSightRange = 100.0;
    static constexpr double kOutsideSightRange = 150.0;
    static constexpr double kEggFactor = 0.75;
    static constexpr double kPlayerFactor = 0.5;
    // How far dogs see and how fast they chase, against Normal, on the easier and the harder game.
    static constexpr double kEasyScale = 0.75;
    static constexpr double kHardScale = 1.1;

    // One dog's numbers: every distance it notices things at follows from its sight range.
    struct Tuning {
        double sightRange = kOutsideSightRange;
        float patrolSpeed = kPatrolSpeed;
        double runSpeed = kRunSpeed;
    };
    // The numbers of a standard dog of the map type `type` ("enemy1", "enemy2").
    static Tuning standardTuning(const std::string& type);

    // The dog must already carry its StaticCmp; without "dogAngry" loaded a chasing dog keeps its look.
    // Without a tuning the dog gets the standard one of its type.
    EnemyMovement(GameObject* dog, GameObject* player, std::string axis, float distanceX, float distanceY,
                  bool runsInUpdate, std::optional<Tuning> dogTuning = std::nullopt);

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
    Tuning tuning;
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
