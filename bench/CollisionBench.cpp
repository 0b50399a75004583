#include "BenchSupport.hpp"
#include "app/GameStateManager.hpp"
#include "app/SceneRegistries.hpp"
#include "components/DeathComponent.hpp"
#include "components/EggComponent.hpp"
#include "physics/PhysicsManager.hpp"
#include "physics/RigidBodyComponent.hpp"
#include "scene/GameObjectManager.hpp"
#include "support/SceneBuilder.hpp"

#include <SFML/Window/Context.hpp>
#include <cmath>
#include <random>

namespace {
// The real level has one collider per 7200 square pixels; the synthetic ones keep that.
constexpr float kAreaPerCollider = 7200.0f;
constexpr int kCell = 16;

// Everything a collision step changes, so each timed step starts from the same scene.
class SceneSnapshot {
public:
    SceneSnapshot() {
        for (const auto& collider : PhysicsManager::getInstance()->registeredColliders) {
            RigidBodyComponent* body = collider->body;
            saved.push_back({collider.get(), body, body->owner->getPosition(), body->velocity,
                             collider->solid, body->observers});
        }
    }
    void restore() const {
        for (const Saved& s : saved) {
            s.body->owner->setPosition(s.position);
            s.body->velocity = s.velocity;
            s.collider->solid = s.solid;
            s.body->observers = s.observers;
        }
        PhysicsManager::getInstance()->playerInside = false;
        GameStateManager* game = GameStateManager::getInstance();
        game->hasFormula = game->levelComplete = game->won = false;
    }

private:
    struct Saved {
        BoxCollisionComponent* collider;
        RigidBodyComponent* body;
        sf::Vector2f position;
        sf::Vector2f velocity;
        bool solid;
        std::list<std::shared_ptr<IObserver>> observers;
    };
    std::vector<Saved> saved;
};

// A made-up level of `count` colliders on a square of the real level's density: four in five are
// walls of whole cells, the rest dogs and eggs on free cells (one in ten running into a wall this
// frame), a player, the doors, the goal and the formula. Dogs and eggs carry the game's observers.
class SyntheticLevel {
public:
    explicit SyntheticLevel(int count) : dice(static_cast<unsigned>(count)) {
        side = static_cast<int>(std::ceil(std::sqrt(count * kAreaPerCollider) / kCell));
        occupied.assign(static_cast<std::size_t>(side) * side, 0);
        const int walls = count * 4 / 5;
        for (int i = 0; i < walls; ++i) {
            addWall(i);
        }
        const char* const zones[] = {"player", "entrance", "exit", "goal", "formula"};
        for (const char* type : zones) {
            addMover(type, type == std::string("player") ? "player1" : type);
        }
        for (int i = walls + 5; i < count; ++i) {
            addMover(i % 3 == 0 ? "egg" : (i % 2 ? "enemy1" : "enemy2"), "mover" + std::to_string(i));
        }
    }

private:
    char& at(int x, int y) { return occupied[static_cast<std::size_t>(y) * side + x]; }

    void addWall(int index) {
        const bool across = dice() % 2;
        const int length = 1 + static_cast<int>(dice() % 10);
        const int x = static_cast<int>(dice() % side), y = static_cast<int>(dice() % side);
        const int w = across ? std::min(length, side - x) : 1, h = across ? 1 : std::min(length, side - y);
        for (int cy = y; cy < y + h; ++cy) {
            for (int cx = x; cx < x + w; ++cx) {
                at(cx, cy) = 1;
            }
        }
        const std::string type = index % 2 ? "border" : "borderOutside";
        scene.body("wall" + std::to_string(index), type,
                   {float(x * kCell), float(y * kCell), float(w * kCell), float(h * kCell)}, INFINITE_MASS,
                   type == "borderOutside");
    }

    void addMover(const std::string& type, const std::string& name) {
        int x = 0, y = 0;
        do {
            x = 1 + static_cast<int>(dice() % (side - 2));
            y = 1 + static_cast<int>(dice() % (side - 2));
        } while (at(x, y) || at(x + 1, y) || at(x - 1, y) || at(x, y + 1) || at(x, y - 1));
        sf::Vector2f position(float(x * kCell), float(y * kCell));
        if (dice() % 10 == 0) {
            position.x +=
                at(x + 1, y + 1) || at(x + 1, y - 1) ? 2.0f : -2.0f; // into a neighbouring wall, maybe
            position.x += 14.0f * float(int(dice() % 3) - 1);
        }
        const bool zone = type == "entrance" || type == "exit" || type == "goal" || type == "formula";
        const float mass = zone ? INFINITE_MASS : 1.0f;
        const bool solid = type != "enemy2" && type != "entrance" && type != "exit" && type != "formula";
        auto object = scene.body(name, type, {position.x, position.y, 16.0f, 16.0f}, mass, solid);
        std::uniform_real_distribution<float> speed(-80.0f, 80.0f);
        object->rigidBody->velocity = zone ? sf::Vector2f() : sf::Vector2f(speed(dice), speed(dice));
        if (type != "entrance" && type != "exit" && type != "goal") {
            auto death = std::make_shared<DeathComponent>(object.get());
            object->addComponent(death);
            object->rigidBody->attach(death);
        }
        if (type == "egg") {
            object->addComponent(std::make_shared<EggComponent>(object.get()));
        }
    }

    SceneBuilder scene; // empties the registries when the level goes
    std::mt19937 dice;
    int side = 0;
    std::vector<char> occupied;
};

void timeSteps(benchmark::State& state, bool grid) {
    const SceneSnapshot start;
    PhysicsManager* physics = PhysicsManager::getInstance();
    std::size_t contacts = 0;
    for (auto _ : state) {
        start.restore();
        RegionTimer timer;
        grid ? physics->update() : physics->updateAllPairs();
        state.SetIterationTime(timer.seconds());
        contacts = physics->manifolds.size();
    }
    state.counters["colliders"] = static_cast<double>(physics->registeredColliders.size());
    state.counters["contacts"] = static_cast<double>(contacts);
}

void CollisionStep(benchmark::State& state, bool grid) {
    const SyntheticLevel level(static_cast<int>(state.range(0)));
    timeSteps(state, grid);
}

void CollisionStepRealLevel(benchmark::State& state, bool grid) {
    sf::Context context;
    if (!GameObjectManager::getInstance()->loadMap(levelFile(), {0.0f, 0.0f})) {
        state.SkipWithError("the level did not load");
        return;
    }
    timeSteps(state, grid);
    SceneRegistries::dispose();
}
} // namespace

BENCHMARK_CAPTURE(CollisionStep, grid, true)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(CollisionStep, allPairs, false)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(CollisionStepRealLevel, grid, true)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(CollisionStepRealLevel, allPairs, false)->UseManualTime()->Unit(benchmark::kMicrosecond);
