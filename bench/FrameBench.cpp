#include "BenchSupport.hpp"
#include "app/InputManager.hpp"
#include "physics/PhysicsManager.hpp"
#include "physics/RigidBodyComponent.hpp"
#include "scene/GameObjectManager.hpp"
#include "scene/LayerComponent.hpp"
#include "scene/RenderManager.hpp"
#include "screens/IngameScreen.hpp"
#include "support/GameHarness.hpp"

#include <SFML/Window/Keyboard.hpp>

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

    // Both switches at once: the plain way draws every tile sprite and tests every pair.
    void usePlainWay(bool plain) {
        PhysicsManager::getInstance()->useBroadPhase = !plain;
        for (LayerComponent* layer : tileLayers()) {
            layer->useChunks = !plain;
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
static void FrameUpdate(benchmark::State& state, bool plain) {
    if (!start(state)) {
        return;
    }
    LevelSession& level = session();
    level.usePlainWay(plain);
    Game& game = *level.harness.game;
    for (auto _ : state) {
        level.scriptInput();
        GameClock::advance(sf::seconds(GameHarness::kFrameTime));
        game.inputManager->update(game.event);
        level.screen->handleInput(GameHarness::kFrameTime);
        level.screen->update(GameHarness::kFrameTime);
    }
    level.usePlainWay(false);
}
BENCHMARK_CAPTURE(FrameUpdate, new, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(FrameUpdate, plain, true)->Unit(benchmark::kMicrosecond);

// A whole frame as the game loop runs it: events, update, physics, draw, display.
static void FrameWhole(benchmark::State& state, bool plain) {
    if (!start(state)) {
        return;
    }
    LevelSession& level = session();
    level.usePlainWay(plain);
    for (auto _ : state) {
        level.scriptInput();
        level.harness.frames(1);
    }
    level.usePlainWay(false);
}
BENCHMARK_CAPTURE(FrameWhole, new, false)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(FrameWhole, plain, true)->Unit(benchmark::kMillisecond)->UseRealTime();

namespace {
// In-game views along a path across the level.
sf::View cameraAt(int step) {
    sf::View view({0.0f, 0.0f, 800.0f, 600.0f});
    view.zoom(0.4f);
    view.setCenter(160.0f + float((step * 37) % 960), 120.0f + float((step * 23) % 780));
    return view;
}
} // namespace

// Only the calls that hand the four tile layers to the driver.
static void TilesSubmit(benchmark::State& state, bool plain) {
    if (!start(state)) {
        return;
    }
    sf::RenderWindow& window = session().harness.window();
    const std::vector<LayerComponent*> layers = LevelSession::tileLayers();
    int step = 0;
    std::size_t drawCalls = 0;
    for (auto _ : state) {
        window.setView(cameraAt(step++));
        window.clear(sf::Color::Blue);
        RegionTimer timer;
        for (LayerComponent* layer : layers) {
            plain ? layer->drawPlain(window) : layer->drawChunks(window);
        }
        state.SetIterationTime(timer.seconds());
        drawCalls = 0;
        for (LayerComponent* layer : layers) {
            drawCalls += plain ? layer->sprites.size() : layer->lastDrawCalls();
        }
        window.display();
    }
    state.counters["drawCalls"] = static_cast<double>(drawCalls);
}
BENCHMARK_CAPTURE(TilesSubmit, new, false)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(TilesSubmit, plain, true)->UseManualTime()->Unit(benchmark::kMicrosecond);

// Clearing, the four tile layers and presenting the frame: what the screen costs.
static void TilesFrame(benchmark::State& state, bool plain) {
    if (!start(state)) {
        return;
    }
    sf::RenderWindow& window = session().harness.window();
    const std::vector<LayerComponent*> layers = LevelSession::tileLayers();
    int step = 0;
    for (auto _ : state) {
        window.setView(cameraAt(step++));
        window.clear(sf::Color::Blue);
        for (LayerComponent* layer : layers) {
            plain ? layer->drawPlain(window) : layer->drawChunks(window);
        }
        window.display();
    }
}
BENCHMARK_CAPTURE(TilesFrame, new, false)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(TilesFrame, plain, true)->Unit(benchmark::kMillisecond)->UseRealTime();
