#include "BenchSupport.hpp"
#include "FloorFrame.hpp"
#include "app/InputManager.hpp"
#include "physics/PhysicsManager.hpp"
#include "physics/RigidBodyComponent.hpp"
#include "scene/GameObjectManager.hpp"
#include "scene/LayerComponent.hpp"
#include "scene/RenderManager.hpp"
#include "scene/TileStack.hpp"
#include "screens/IngameScreen.hpp"
#include "support/GameHarness.hpp"

#include <SFML/Window/Keyboard.hpp>

enum class Way { plain, chunks, stacked };

namespace {
// The game in this process on the real level, frame rate uncapped, the player
// walking a scripted round that stays outside the house (all four tile layers
// show). The player cannot die, so the level never ends mid-benchmark.
class LevelSession {
public:
    LevelSession() {
        harness.window().setFramerateLimit(0);
        GameStateManager::getInstance()->setState(GameStateManager::kIngameScreen);
        screen = harness.screen<IngameScreen>();
        if (auto player = GameObjectManager::getInstance()->findGameObject("player1")) {
            player->rigidBody->detachAll();
        }
    }

    bool ready() const { return screen != nullptr; }

    // The plain way draws every tile sprite and tests every pair; the chunk way
    // draws each tile layer in blocks on its own; the new way stacks the layers
    // and, in the game's frame, draws them through the tile cache.
    void useWay(Way way) {
        screen->tileCache.enabled = way == Way::stacked;
        PhysicsManager::getInstance()->useBroadPhase = way != Way::plain;
        RenderManager::getInstance()->stackTileLayers = way == Way::stacked;
        for (LayerComponent* layer : tileLayers()) {
            layer->useChunks = way != Way::plain;
        }
    }

    // Left and right, then up and down, 40 frames each way.
    void scriptInput() {
        static const sf::Keyboard::Key keys[] = {sf::Keyboard::D, sf::Keyboard::A, sf::Keyboard::S,
                                                 sf::Keyboard::W};
        for (sf::Keyboard::Key key : keys) {
            harness.hold(key, false);
        }
        harness.hold(keys[(frame++ / 40) % 4]);
    }

    static std::vector<LayerComponent*> tileLayers() {
        std::vector<LayerComponent*> layers;
        for (const auto& [name, components] : RenderManager::getInstance()->layers) {
            for (RenderComponent* component : components) {
                if (auto* layer = dynamic_cast<LayerComponent*>(component)) {
                    layers.push_back(layer);
                }
            }
        }
        return layers;
    }

    GameHarness harness;
    IngameScreen* screen = nullptr;
    int frame = 0;
};

std::unique_ptr<LevelSession>& sessionSlot() {
    static std::unique_ptr<LevelSession> level;
    return level;
}

LevelSession& session() {
    if (!sessionSlot()) {
        sessionSlot() = std::make_unique<LevelSession>();
    }
    return *sessionSlot();
}

bool start(benchmark::State& state) {
    if (!session().ready()) {
        state.SkipWithError("the level did not start");
        return false;
    }
    return true;
}
} // namespace

void closeLevelSession() {
    sessionSlot().reset();
}

// Player, dogs, eggs and the collision step of one frame, without drawing.
static void FrameUpdate(benchmark::State& state, Way way) {
    if (!start(state)) {
        return;
    }
    LevelSession& level = session();
    level.useWay(way);
    Game& game = *level.harness.game;
    for (auto _ : state) {
        level.scriptInput();
        GameClock::advance(sf::seconds(GameHarness::kFrameTime));
        game.inputManager->update(game.event);
        level.screen->handleInput(GameHarness::kFrameTime);
        level.screen->update(GameHarness::kFrameTime);
    }
    level.useWay(Way::stacked);
}
BENCHMARK_CAPTURE(FrameUpdate, new, Way::stacked)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(FrameUpdate, plain, Way::plain)->Unit(benchmark::kMicrosecond);

// A whole frame as the game loop runs it: events, update, physics, draw, display.
static void FrameWhole(benchmark::State& state, Way way) {
    if (!start(state)) {
        return;
    }
    LevelSession& level = session();
    level.useWay(way);
    for (auto _ : state) {
        level.scriptInput();
        level.harness.frames(1);
    }
    level.useWay(Way::stacked);
}
BENCHMARK_CAPTURE(FrameWhole, new, Way::stacked)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(FrameWhole, chunks, Way::chunks)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(FrameWhole, plain, Way::plain)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same whole frame in a 1920x1080 window, as fullscreen on such a screen: the picture is drawn
// at 1440x1080 between two bars.
static void FrameWholeLetterboxed(benchmark::State& state) {
    if (!start(state)) {
        return;
    }
    LevelSession& level = session();
    sf::RenderWindow& window = level.harness.window();
    window.setSize({1920, 1080});
    level.harness.frames(2);
    for (auto _ : state) {
        level.scriptInput();
        level.harness.frames(1);
    }
    window.setSize({800, 600});
    level.harness.frames(2);
}
BENCHMARK(FrameWholeLetterboxed)
    ->Name("FrameWhole/new/1440x1080")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

namespace {
// The in-game camera (320 x 320 stretched over the window) along a path across the level.
sf::View cameraAt(int step) {
    sf::View view;
    view.zoom(0.8f);
    view.zoom(0.4f);
    view.setCenter(160.0f + float((step * 37) % 950), 160.0f + float((step * 23) % 700));
    return view;
}
} // namespace

namespace {
// The four tile layers drawn one of the three ways; returns the draw calls made.
class TileDrawer {
public:
    explicit TileDrawer(Way way) : way(way), layers(LevelSession::tileLayers()), stack(layers) {}

    std::size_t draw(sf::RenderTarget& target) {
        std::size_t drawCalls = 0;
        if (way == Way::stacked) {
            stack.draw(target);
            return stack.lastDrawCalls();
        }
        for (LayerComponent* layer : layers) {
            if (way == Way::plain) {
                layer->drawPlain(target);
                drawCalls += layer->sprites.size();
            } else {
                layer->drawChunks(target);
                drawCalls += layer->lastDrawCalls();
            }
        }
        return drawCalls;
    }

private:
    Way way;
    std::vector<LayerComponent*> layers;
    TileStack stack;
};
} // namespace

// Only the calls that hand the four tile layers to the driver.
static void TilesSubmit(benchmark::State& state, Way way) {
    if (!start(state)) {
        return;
    }
    sf::RenderWindow& window = session().harness.window();
    TileDrawer drawer(way);
    int step = 0;
    std::size_t drawCalls = 0;
    for (auto _ : state) {
        window.setView(cameraAt(step++));
        window.clear(sf::Color::Blue);
        RegionTimer timer;
        drawCalls = drawer.draw(window);
        state.SetIterationTime(timer.seconds());
        window.display();
    }
    state.counters["drawCalls"] = static_cast<double>(drawCalls);
}
BENCHMARK_CAPTURE(TilesSubmit, new, Way::stacked)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(TilesSubmit, chunks, Way::chunks)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(TilesSubmit, plain, Way::plain)->UseManualTime()->Unit(benchmark::kMicrosecond);

// Clearing, the four tile layers and presenting the frame: what the screen costs.
static void TilesFrame(benchmark::State& state, Way way) {
    if (!start(state)) {
        return;
    }
    sf::RenderWindow& window = session().harness.window();
    TileDrawer drawer(way);
    int step = 0;
    for (auto _ : state) {
        window.setView(cameraAt(step++));
        window.clear(sf::Color::Blue);
        drawer.draw(window);
        window.display();
    }
}
BENCHMARK_CAPTURE(TilesFrame, new, Way::stacked)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(TilesFrame, chunks, Way::chunks)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(TilesFrame, plain, Way::plain)->Unit(benchmark::kMillisecond)->UseRealTime();

// The whole in-game frame against the floor frame (FloorFrame.hpp) in the same window at one size, one
// after the other in every iteration so that both meet the same load on the machine. The time is the game's;
// the counters give both times per frame and their ratio, and the ratio of the CPU time the whole process
// spent (the software renderer's threads included), steadier on a busy machine. `throughTileCache` off draws
// the tiles straight into the window, for comparison.
static void FrameVsFloor(benchmark::State& state, sf::Vector2u size, bool throughTileCache) {
    if (!start(state)) {
        return;
    }
    LevelSession& level = session();
    sf::RenderWindow& window = level.harness.window();
    level.screen->tileCache.enabled = throughTileCache;
    window.setSize(size);
    level.harness.frames(2);
    FloorFrame floor;
    floor.draw(window);
    double gameSeconds = 0.0;
    double floorSeconds = 0.0;
    double gameCpu = 0.0;
    double floorCpu = 0.0;
    for (auto _ : state) {
        level.scriptInput();
        const RegionTimer game;
        const ProcessCpuTimer gameWork;
        level.harness.frames(1);
        const double gameFrame = game.seconds();
        gameCpu += gameWork.seconds();
        const RegionTimer bare;
        const ProcessCpuTimer bareWork;
        floor.draw(window);
        floorSeconds += bare.seconds();
        floorCpu += bareWork.seconds();
        gameSeconds += gameFrame;
        state.SetIterationTime(gameFrame);
    }
    state.counters["game_ms"] = benchmark::Counter(gameSeconds * 1e3, benchmark::Counter::kAvgIterations);
    state.counters["floor_ms"] = benchmark::Counter(floorSeconds * 1e3, benchmark::Counter::kAvgIterations);
    state.counters["ratio"] = floorSeconds > 0.0 ? gameSeconds / floorSeconds : 0.0;
    state.counters["cpu_ratio"] = floorCpu > 0.0 ? gameCpu / floorCpu : 0.0;
    level.screen->tileCache.enabled = true;
    window.setSize({800, 600});
    level.harness.frames(2);
}
BENCHMARK_CAPTURE(FrameVsFloor, 800x600, sf::Vector2u(800, 600), true)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.5);
BENCHMARK_CAPTURE(FrameVsFloor, 1920x1080, sf::Vector2u(1920, 1080), true)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.5);
BENCHMARK_CAPTURE(FrameVsFloor, straight_800x600, sf::Vector2u(800, 600), false)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.5);
BENCHMARK_CAPTURE(FrameVsFloor, straight_1920x1080, sf::Vector2u(1920, 1080), false)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.5);
