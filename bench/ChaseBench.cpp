#include "app/SceneRegistries.hpp"
#include "assets/AssetManager.hpp"
#include "components/EnemyMovement.hpp"
#include "map/LevelSchema.hpp"
#include "physics/PhysicsManager.hpp"
#include "scene/GameObjectManager.hpp"

#include <SFML/Window/Context.hpp>
#include <benchmark/benchmark.h>

namespace {
// Every dog of The Granary, inside, on the way to a player who moves to another cell every few frames, so
// each dog keeps planning its way round the aisles: one iteration is one frame of all 22.
void ChaseGranaryAllDogs(benchmark::State& state) {
    sf::Context context;
    AssetManager::getInstance()->loadTexture("dogAngry", "Assets/dogAngry.png");
    GameObjectManager* objects = GameObjectManager::getInstance();
    if (!objects->loadMap("Assets/level3.tmx", {0.0f, 0.0f})) {
        state.SkipWithError("Assets/level3.tmx did not load");
        return;
    }
    PhysicsManager* physics = PhysicsManager::getInstance();
    physics->toggleBorders(); // the inside walls, as after the front door
    const NavGrid& grid = *physics->sightWalls();
    std::vector<std::shared_ptr<GameObject>> dogs;
    std::vector<sf::Vector2f> starts;
    for (int i = 1; i <= LevelSchema::kDogCount; ++i) {
        dogs.push_back(objects->getGameObject(LevelSchema::dogName(i)));
        starts.push_back(dogs.back()->getPosition());
    }
    // The lab's west door and the crossroads before it, in turn: far from most dogs, round many shelves.
    const sf::Vector2f goals[] = {{577, 353}, {632, 737}, {385, 545}};
    std::vector<DogRoute> routes(dogs.size());
    long frame = 0;
    for (auto _ : state) {
        const sf::Vector2f goal = goals[(frame / 20) % 3];
        if (frame % 600 == 0) {
            for (std::size_t i = 0; i < dogs.size(); ++i) {
                dogs[i]->setPosition(starts[i]);
            }
        }
        for (std::size_t i = 0; i < dogs.size(); ++i) {
            benchmark::DoNotOptimize(
                routes[i].walk(*dogs[i], {16, 16}, goal, EnemyMovement::kRunSpeed, 1.0f / 60.0f, grid));
        }
        ++frame;
    }
    std::size_t plans = 0;
    for (const DogRoute& route : routes) {
        plans += route.plansMade();
    }
    state.counters["plans/frame"] = static_cast<double>(plans) / static_cast<double>(frame);
    SceneRegistries::dispose();
}
BENCHMARK(ChaseGranaryAllDogs)->Unit(benchmark::kMicrosecond);
} // namespace
