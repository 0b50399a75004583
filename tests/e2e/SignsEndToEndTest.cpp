#include "support/EndToEndTest.hpp"
#include "support/TestLevel.hpp"

namespace {
using LS = LevelSchema;

// A strip of grounds 20 cells wide and 8 high with a name and an intro. The player starts beside an egg,
// with a guard ahead and up to the right: far enough not to see the player, near enough to run after the
// egg shot past it. Everything else the game needs lies out of the way.
std::string decoyLevel(const std::string& imageDir) {
    using testlevel::object;
    using testlevel::properties;
    std::string objects = object(LS::kPlayerName, LS::kPlayer, 24, 56, properties(LS::kPlayer, imageDir), 14);
    objects += object(LS::kCameraName, LS::kCamera, 24, 56, properties(LS::kCamera, imageDir));
    objects += object(LS::dogName(1), LS::kOutsideDog, 150, 10,
                      properties(LS::kOutsideDog, imageDir, {{LS::kPatrolDistanceX, "0"}}));
    for (int i = 2; i <= LS::kDogCount; ++i) {
        objects += object(LS::dogName(i), LS::kInsideDog, 288, 16, properties(LS::kInsideDog, imageDir));
    }
    for (int i = 1; i <= LS::kEggCount; ++i) {
        objects += object(LS::eggName(i), LS::kEgg, i == 1 ? 40 : 272, i == 1 ? 60 : 104,
                          properties(LS::kEgg, imageDir), 8);
    }
    objects += object(LS::kFormulaName, LS::kFormula, 256, 16, properties(LS::kFormula, imageDir));
    objects += object("", LS::kGoal, 144, 112);
    objects += object("", LS::kInsideWall, 224, 0);
    objects += object("", LS::kEntrance, 16, 112);
    objects += object("", LS::kExit, 80, 112);
    objects += object("", LS::kOutsideWall, 304, 0);
    return testlevel::grassMap(20, 8,
                               "<property name=\"name\" value=\"The Decoy Yard\"/>"
                               "<property name=\"intro\" value=\"Shoot the egg past the guard.\"/>",
                               objects);
}

// How many pixels of the shot, inside the window's picture, are near the colour.
int pixelsNear(const sf::Image& shot, sf::Vector2f corner, sf::FloatRect area, sf::Color colour) {
    int count = 0;
    for (int y = int(area.top); y < int(area.top + area.height); ++y) {
        for (int x = int(area.left); x < int(area.left + area.width); ++x) {
            count += near(shot.getPixel(unsigned(corner.x) + unsigned(x), unsigned(corner.y) + unsigned(y)),
                          colour);
        }
    }
    return count;
}

class SignsEndToEndTest : public EndToEndTest {
protected:
    SignsEndToEndTest() { keysOnly = true; }
    void SetUp() override { folder = makeTempFolder(); }
};

// The level's card as it starts, the egg's own mark over a dog that runs after it, and the Caught screen's
// time and how to try again: drawn by the real game in its window. One Space there goes to the menu and no
// further.
TEST_F(SignsEndToEndTest, TheCardTheEggChaseMarkAndTheWayToTryAgainAreOnScreen) {
    testlevel::writeImages(folder + "/");
    std::ofstream(folder + "/decoy.tmx") << decoyLevel(folder + "/");
    startGame({program, "--map", "decoy.tmx"});
    const sf::Image menu = shot("menu");
    tap("Return");
    const sf::Vector2f corner = windowCorner();
    const sf::Color gold(232, 200, 114);
    // The card's gold frame runs down its left edge, 120 pixels from the picture's left.
    const sf::FloatRect cardEdge(120, 160, 2, 40);
    EXPECT_GT(pixelsNear(shot("card"), corner, cardEdge, gold), 60) << "the card shows as the level starts";

    tap("d"); // play starts; the player picks up the egg and faces right
    EXPECT_LT(pixelsNear(shot("playing"), corner, cardEdge, gold), 10)
        << "the first move takes the card away";
    const sf::FloatRect aboveTheGuard(0, 0, 800, 600);
    const sf::Color leafGreen(128, 214, 112);
    const int greenBefore = pixelsNear(shot("before"), corner, aboveTheGuard, leafGreen);
    tap("e");
    waitSeconds(1.0); // the egg arms a second after it is laid
    tap("space");
    const auto greenIn = [&](const sf::Image& image) {
        return pixelsNear(image, corner, aboveTheGuard, leafGreen);
    };
    const int greenChasing = greenIn(shotOnceShown(
        "chasing", [&](const sf::Image& image) { return greenIn(image) > greenBefore + 150; }, 3.0));
    EXPECT_GT(greenChasing, greenBefore + 150) << "the guard runs after the egg under a green diamond";

    // Caught: the level again from the menu, and a walk up to the guard's row and into it, with no egg to
    // lead it away, for as long as a loaded machine needs.
    tap("Escape");
    tap("q");
    tap("Return");
    tap("d");
    display.run("xdotool keydown w sleep 1 keyup w");
    display.run("xdotool keydown d");
    // Under "Press Space to return to the menu": the run's time in cream, then how to try again.
    const sf::FloatRect timeLine(250, 412, 300, 26);
    const sf::Color cream(255, 244, 214);
    const sf::Image caught = shotOnceShown(
        "caught", [&](const sf::Image& image) { return pixelsNear(image, corner, timeLine, cream) > 100; });
    display.run("xdotool keyup d");
    EXPECT_GT(pixelsNear(caught, corner, timeLine, cream), 100) << "the time";
    EXPECT_GT(pixelsNear(caught, corner, {150, 448, 500, 28}, sf::Color(255, 230, 160)), 200)
        << "Press R to try again, or Y on the pad";
    tap("space");
    const auto isTheMenu = [&](const sf::Image& image) { return differingShare(menu, image) < 0.03; };
    EXPECT_TRUE(isTheMenu(shotOnceShown("menu-again", isTheMenu)))
        << "Space leaves the lost screen for the menu";
    waitSeconds(1.0);
    EXPECT_TRUE(isTheMenu(shot("menu-still"))) << "and the menu's Start does not take the Space as well";
    EXPECT_TRUE(closeAndWait());
    EXPECT_EQ(unexpectedErrors(), "");
}
} // namespace
