#include "app/GameStateManager.hpp"
#include "components/DeathComponent.hpp"
#include "components/EggComponent.hpp"
#include "components/LayEggComponent.hpp"
#include "scene/IObserver.hpp"
#include "support/SceneBuilder.hpp"

#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <sstream>

namespace {
using Transcript = std::vector<std::string>;

const char* const kTypes[] = {"player",        "enemy1",   "enemy2", "egg",     "border",
                              "borderOutside", "entrance", "exit",   "formula", "goal"};

std::string exact(float value) {
    std::ostringstream text;
    text << std::hexfloat << value;
    return text.str();
}

std::string exact(sf::Vector2f v) {
    return exact(v.x) + "," + exact(v.y);
}

// Writes down every touch it hears about and then, by its own dice, does what
// observers in the game do mid-step besides dying (the game's own components
// die here): park the other body, teleport someone next to someone else, flip
// a wall, resize a body.
class Meddler final : public IObserver {
public:
    Meddler(GameObject* owner, std::vector<std::shared_ptr<GameObject>>* everyone, Transcript* log,
            unsigned seed)
        : owner(owner), everyone(everyone), log(log), dice(seed) {}

    void onNotify(std::shared_ptr<BoxCollisionComponent> other) override {
        GameObject* them = other->body->owner;
        log->push_back(owner->name + " touched " + them->name);
        std::uniform_int_distribution<int> percent(0, 99);
        auto& all = *everyone;
        auto anyone = [&]() -> GameObject& { return *all[dice() % all.size()]; };
        const int roll = percent(dice);
        if (roll < 8) {
            them->setPosition(-2000.0f, -2000.0f);
        } else if (roll < 30) {
            GameObject& target = anyone();
            anyone().setPosition(target.getPosition() + sf::Vector2f(float(percent(dice) % 9), 3.0f));
        } else if (roll < 38) {
            BoxCollisionComponent& wall = *anyone().colliders.front();
            wall.solid = !wall.solid;
        } else if (roll < 42) {
            anyone().rigidBody->bounds.width += 20.0f;
        }
    }

private:
    GameObject* owner;
    std::vector<std::shared_ptr<GameObject>>* everyone;
    Transcript* log;
    std::mt19937 dice;
};

struct SceneShape {
    int colliders;
    float spread;    // side of the square the boxes are thrown into
    bool oddNumbers; // NaN, infinite and huge boxes too
};

// Builds one random scene from `seed`, runs `steps` collision steps, moving
// the bodies between them, and writes down everything the step decides.
Transcript play(unsigned seed, const SceneShape& shape, int steps, bool allPairs) {
    SceneBuilder scene;
    GameStateManager* game = GameStateManager::getInstance();
    game->hasFormula = game->levelComplete = game->won = false;
    std::mt19937 dice(seed);
    std::uniform_real_distribution<float> place(0.0f, shape.spread);
    std::uniform_real_distribution<float> size(0.0f, 40.0f);
    std::uniform_real_distribution<float> speed(-300.0f, 300.0f);
    std::uniform_int_distribution<int> percent(0, 99);
    const float masses[] = {1.0f, 1.0f, 2.5f, 0.0f, INFINITE_MASS, INFINITE_MASS};

    Transcript log;
    std::vector<std::shared_ptr<GameObject>> everyone;
    for (int i = 0; i < shape.colliders; ++i) {
        const std::string type = kTypes[dice() % 10];
        const std::string name = type == "formula" ? "formula" : type + std::to_string(i);
        if (type == "formula" && GameObjectManager::getInstance()->findGameObject("formula")) {
            continue;
        }
        sf::FloatRect box(place(dice), place(dice), size(dice), size(dice));
        if (shape.oddNumbers && percent(dice) < 3) {
            const float odd[] = {std::numeric_limits<float>::quiet_NaN(),
                                 std::numeric_limits<float>::infinity(), 1e30f, -1e12f};
            (dice() % 2 ? box.left : box.width) = odd[dice() % 4];
        }
        auto object = scene.body(name, type, box, masses[dice() % 6], percent(dice) < 80);
        object->rigidBody->velocity = {speed(dice), speed(dice)};
        if (type == "player" || type == "egg" || type == "formula" || type.compare(0, 5, "enemy") == 0) {
            auto death = std::make_shared<DeathComponent>(object.get());
            object->addComponent(death);
            object->rigidBody->attach(death);
        }
        if (type == "player") {
            auto eggs = std::make_shared<LayEggComponent>(object.get());
            object->addComponent(eggs);
            object->rigidBody->attach(eggs);
        }
        if (type == "egg") {
            object->addComponent(std::make_shared<EggComponent>(object.get()));
        }
        if (percent(dice) < 40) {
            object->rigidBody->attach(std::make_shared<Meddler>(object.get(), &everyone, &log, dice()));
        }
        everyone.push_back(object);
    }

    PhysicsManager& physics = scene.physics();
    for (int step = 0; step < steps; ++step) {
        for (const auto& object : everyone) {
            object->move(object->rigidBody->velocity / 60.0f);
        }
        allPairs ? physics.updateAllPairs() : physics.update();
        log.push_back("step " + std::to_string(step) + (physics.playerInside ? " inside" : " outside"));
        for (const Manifold& contact : physics.manifolds) {
            log.push_back("contact " + contact.bodyA->owner->name + " " + contact.bodyB->owner->name + " " +
                          exact(contact.penetration) + " " + exact(contact.normal));
        }
        for (const auto& collider : physics.registeredColliders) {
            const GameObject& owner = *collider->body->owner;
            log.push_back(owner.name + " at " + exact(owner.getPosition()) + " v " +
                          exact(collider->body->velocity) + (collider->solid ? " solid" : " open"));
        }
    }
    log.push_back(std::string("formula ") + (game->hasFormula ? "held" : "not held") +
                  (game->levelComplete ? ", won" : ""));
    return log;
}

void expectSameOutcome(unsigned seed, const SceneShape& shape, int steps) {
    const Transcript reference = play(seed, shape, steps, true);
    const Transcript grid = play(seed, shape, steps, false);
    const auto mismatch = std::mismatch(reference.begin(), reference.end(), grid.begin(), grid.end());
    ASSERT_TRUE(mismatch.first == reference.end() && mismatch.second == grid.end())
        << "scene " << seed << " line " << (mismatch.first - reference.begin()) << ": all pairs say \""
        << (mismatch.first != reference.end() ? *mismatch.first : "(end)") << "\", the grid says \""
        << (mismatch.second != grid.end() ? *mismatch.second : "(end)") << "\"";
}
} // namespace

// Small crowded scenes, then larger sparse ones.
TEST(BroadPhaseTest, ScenesCollideExactlyAsEveryPairDoes) {
    for (unsigned seed = 1; seed <= 2000; ++seed) {
        expectSameOutcome(seed, {static_cast<int>(seed % 40) + 2, 120.0f, seed % 5 == 0}, 3);
    }
    for (unsigned seed = 5001; seed <= 5060; ++seed) {
        expectSameOutcome(seed, {300, 1500.0f, seed % 3 == 0}, 4);
    }
}
