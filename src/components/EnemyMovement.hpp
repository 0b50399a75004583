#pragma once

#include "components/DogRoute.hpp"
#include "scene/Component.hpp"
#include "storage/Difficulty.hpp"

#include <SFML/Graphics/Texture.hpp>
#include <SFML/System/Vector2.hpp>
#include <optional>
#include <string>

class GameObject;
class StaticCmp;

// A dog: patrols back and forth from its home along one axis, runs at a flying
// egg or the player when one comes close (eggs are noticed from farther away,
// so a shot egg is a decoy), and walks back home when nothing is close.
//
// On a level whose walls block sight (the physics has a NavGrid), a wall between
// the dog and what it would notice hides it; the dog runs along a path around the
// walls, and when it loses sight it goes to the last place it saw its target,
// waits there a moment, then walks home along a path. Without that rule it runs
// straight, as it always did.
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
    // The "?" shows while the player is this many times the notice distance away, or nearer, unnoticed.
    static constexpr double kWarningFactor = 1.5;
    // How long a dog that lost sight waits at the last place it saw its target, in seconds.
    static constexpr float kSearchWait = 1.5f;

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
    void setDifficulty(Difficulty level);
    // True from the frame the dog starts running at the player or an egg until it gives up; the start
    // plays the "alarm" effect once, when it is loaded.
    bool isChasing() const { return lookingAngry; }
    // True while the chase is after a flying egg rather than the player: the decoy works.
    bool isChasingEgg() const { return chasingEgg; }
    // True while the player is near but not noticed, and while the dog looks for what it lost sight of.
    bool isWary() const { return wary; }
    // How many chases of the player this dog has started (a chase that turns from an egg to the player
    // counts as one).
    int timesSawPlayer() const { return sightings; }

    // Where the player's position must come nearer than noticeDistance() to be noticed, the same for a
    // flying egg, at the current difficulty; the dog compares positions (top-left corners).
    double noticeDistance() const { return tuning.sightRange * difficultyScale * kPlayerFactor; }
    double eggNoticeDistance() const { return tuning.sightRange * difficultyScale * kEggFactor; }
    // The middle of the dog's box: where it looks from when walls block sight.
    sf::Vector2f eye() const;
    // True when nothing blocks the dog's sight to the point (always, on a level whose walls do not).
    bool canSee(sf::Vector2f point) const;
    // Where the dog stands in its search: what it is doing, for tests and the marks.
    enum class Search { None, GoingToLastSeen, Waiting, GoingHome };
    Search search() const { return searching; }
    const DogRoute& route() const { return way; }

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
    // The chase and the search on a level whose walls block sight; `noticed` is this frame's chase test.
    void moveAroundWalls(StaticCmp& sprite, bool noticed, bool wasChasing, sf::Vector2f goalPoint, float dt);
    void searchForLost(float dt);
    void countSighting(bool chasingPlayer);
    sf::Vector2f bodySize() const;
    static sf::Vector2f centreOf(const GameObject& object);

    bool lookingAngry = false;
    bool chasingEgg = false;
    bool wary = false;
    bool wasChasingPlayer = false;
    int sightings = 0;
    double difficultyScale = 1.0;
    DogRoute way;
    Search searching = Search::None;
    sf::Vector2f lastSeen;
    float waitLeft = 0.0f;
};
