#include "BenchSupport.hpp"
#include "app/SceneRegistries.hpp"
#include "assets/AssetManager.hpp"
#include "components/EnemyMovement.hpp"
#include "map/LevelSchema.hpp"
#include "physics/PhysicsManager.hpp"
#include "scene/GameObject.hpp"
#include "scene/GameObjectManager.hpp"

#include <SFML/Window/Context.hpp>
#include <algorithm>
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
    std::size_t nodes = 0;
    for (const DogRoute& route : routes) {
        plans += route.plansMade();
        nodes += route.nodesExpanded();
    }
    state.counters["plans/frame"] = static_cast<double>(plans) / static_cast<double>(frame);
    state.counters["nodes/frame"] = static_cast<double>(nodes) / static_cast<double>(frame);
    SceneRegistries::dispose();
}
BENCHMARK(ChaseGranaryAllDogs)->Unit(benchmark::kMicrosecond);

// The largest map the level reader takes, 4096 x 4096 cells of 16 pixels, or the 1000 x 1000 of the report
// that found the stall: an open field with a pillar every 16 cells, and in its middle a cage round the player
// whose slits are too narrow for a dog. Four dogs stand outside, one on each side, and run at the player, who
// steps to another cell of the cage every 4 frames. One iteration is one frame of the four dogs; the counters
// add the slowest frame and the CPU time of building the grid at load and again at a switch of the walls.
constexpr int kPillarGap = 16;
constexpr float kCell = 16.0f;

std::vector<sf::FloatRect> fieldWithCage(int side, sf::Vector2f cageCorner) {
    std::vector<sf::FloatRect> walls;
    for (int y = kPillarGap / 2; y < side; y += kPillarGap) {
        for (int x = kPillarGap / 2; x < side; x += kPillarGap) {
            walls.emplace_back(x * kCell, y * kCell, kCell, kCell);
        }
    }
    // Six cells a side on the outside, walls a cell thick; each side has a slit half a dog wide.
    const float outer = 6 * kCell;
    const float piece = (outer - kCell / 2) / 2;
    const sf::Vector2f c = cageCorner;
    for (const float along : {0.0f, piece + kCell / 2}) {
        walls.emplace_back(c.x + along, c.y, piece, kCell);
        walls.emplace_back(c.x + along, c.y + outer - kCell, piece, kCell);
        walls.emplace_back(c.x, c.y + along, kCell, piece);
        walls.emplace_back(c.x + outer - kCell, c.y + along, kCell, piece);
    }
    return walls;
}

void ChaseUnreachableOnLargeMap(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    // Between the pillars' rows and columns, so the cage stands in the open.
    const float cageCell = static_cast<float>(side / 2 / kPillarGap * kPillarGap + kPillarGap / 2 + 1);
    const sf::Vector2f cage{cageCell * kCell, cageCell * kCell};
    const std::vector<sf::FloatRect> walls = fieldWithCage(side, cage);
    NavGrid grid({side, side}, {kCell, kCell});
    const ProcessCpuTimer load;
    grid.rebuild(walls);
    state.counters["load_grid_ms"] = load.seconds() * 1e3;
    const ProcessCpuTimer wallSwitch;
    grid.rebuild(walls);
    state.counters["switch_grid_ms"] = wallSwitch.seconds() * 1e3;
    std::vector<std::shared_ptr<GameObject>> dogs;
    for (const sf::Vector2f at :
         {sf::Vector2f(-3, 2), sf::Vector2f(8, 2), sf::Vector2f(2, -3), sf::Vector2f(2, 8)}) {
        dogs.push_back(std::make_shared<GameObject>("enemy", "enemy1", cage + at * kCell));
    }
    std::vector<DogRoute> routes(dogs.size());
    long frame = 0;
    double slowest = 0.0;
    for (auto _ : state) {
        // Round the four middle cells of the cage.
        const int step = static_cast<int>((frame / 4) % 4);
        const sf::Vector2f goal = cage + sf::Vector2f(2.0f + step % 2, 2.0f + step / 2) * kCell;
        const RegionTimer frameTime;
        for (std::size_t i = 0; i < dogs.size(); ++i) {
            benchmark::DoNotOptimize(
                routes[i].walk(*dogs[i], {16, 16}, goal, EnemyMovement::kRunSpeed, 1.0f / 60.0f, grid));
        }
        slowest = std::max(slowest, frameTime.seconds());
        ++frame;
    }
    std::size_t plans = 0;
    std::size_t nodes = 0;
    for (const DogRoute& route : routes) {
        plans += route.plansMade();
        nodes += route.nodesExpanded();
    }
    state.counters["plans/frame"] = static_cast<double>(plans) / static_cast<double>(frame);
    state.counters["nodes/frame"] = static_cast<double>(nodes) / static_cast<double>(frame);
    state.counters["slowest_frame_ms"] = slowest * 1e3;
}
BENCHMARK(ChaseUnreachableOnLargeMap)->Arg(1000)->Arg(4096)->Iterations(120)->Unit(benchmark::kMicrosecond);

// The dearest plan there is: a goal in the dog's own region but farther round than the node budget, at the
// end of a lane winding up and down a 200 x 200 field.
void PlanBeyondTheBudget(benchmark::State& state) {
    NavGrid grid({200, 200}, {kCell, kCell});
    std::vector<sf::FloatRect> walls;
    for (int x = 1; x < 200; x += 2) {
        walls.emplace_back(x * kCell, x % 4 == 1 ? kCell : 0.0f, kCell, 199 * kCell);
    }
    grid.rebuild(walls);
    Pathfinder finder;
    for (auto _ : state) {
        benchmark::DoNotOptimize(finder.find(grid, grid.centreOf({0, 0}), grid.centreOf({198, 0}), {15, 15}));
    }
    state.counters["nodes"] = static_cast<double>(finder.nodesExpanded());
}
BENCHMARK(PlanBeyondTheBudget)->Unit(benchmark::kMicrosecond);

// The dearest way to smooth: 4,000 cells straight along a corridor as long as the largest map is wide.
void PlanAlongALongCorridor(benchmark::State& state) {
    NavGrid grid({4096, 1}, {kCell, kCell});
    grid.rebuild(std::vector<sf::FloatRect>{});
    Pathfinder finder;
    std::size_t legs = 0;
    for (auto _ : state) {
        legs = finder.find(grid, grid.centreOf({0, 0}), grid.centreOf({4000, 0}), {15, 15}).size();
    }
    state.counters["nodes"] = static_cast<double>(finder.nodesExpanded());
    state.counters["legs"] = static_cast<double>(legs);
}
BENCHMARK(PlanAlongALongCorridor)->Unit(benchmark::kMicrosecond);
} // namespace
