// The level reads a map as pellowick-mapcheck and `pellowick --map` do (LevelProjectTest checks the checker
// on this one): a dog placed in Tiled with only its type, as the level guide says, gets its type's
// properties.
#include "app/GameStateManager.hpp"
#include "assets/AssetManager.hpp"
#include "components/EnemyMovement.hpp"
#include "support/ErrCapture.hpp"
#include "support/Files.hpp"
#include "support/SceneBuilder.hpp"
#include "support/TestLevel.hpp"

#include <gtest/gtest.h>

namespace {

const std::string kRuntime = PELLOWICK_RUNTIME_DIR;

TEST(LevelFileTest, AMapOfTypedObjectsPlaysInTheLevel) {
    const std::string folder = makeTempFolder("levelfile");
    const std::string map = folder + "/typed.tmx";
    std::ofstream(map) << testlevel::withTypesOnly(readWholeFile(kRuntime + "/Assets/map.tmx"));

    SceneBuilder scene;
    AssetManager::getInstance()->loadTexture("dogAngry", "Assets/dogAngry.png");
    ErrCapture err;
    EXPECT_TRUE(GameObjectManager::getInstance()->loadMap(map, {0, 0})) << err.text();
    EXPECT_EQ(err.text().find("error"), std::string::npos) << err.text();
    auto dog = GameObjectManager::getInstance()->getGameObject("enemy1")->getComponent<EnemyMovement>();
    ASSERT_NE(dog, nullptr);
    EXPECT_EQ(dog->patrolAxis,
              LevelSchema::find(LevelSchema::kOutsideDog)->properties[LevelSchema::kPatrolAxis].defaultValue);
}

} // namespace
