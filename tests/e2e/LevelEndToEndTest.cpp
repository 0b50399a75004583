#include "support/EndToEndTest.hpp"

#include <filesystem>
#include <map>

namespace {
using LevelEndToEndTest = EndToEndTest;

// The colour the player's picture uses most, to find the player on screen.
sf::Color playerColour() {
    sf::Image player;
    player.loadFromFile(std::string(PELLOWICK_RUNTIME_DIR) + "/Assets/player.png");
    std::map<sf::Uint32, int> counts;
    for (unsigned y = 0; y < player.getSize().y; ++y) {
        for (unsigned x = 0; x < player.getSize().x; ++x) {
            if (player.getPixel(x, y).a == 255) {
                ++counts[player.getPixel(x, y).toInteger()];
            }
        }
    }
    auto most = std::max_element(counts.begin(), counts.end(),
                                 [](const auto& a, const auto& b) { return a.second < b.second; });
    return most == counts.end() ? sf::Color::Transparent : sf::Color(most->first);
}

bool shownNear(const sf::Image& screen, sf::Vector2u centre, unsigned reach, sf::Color colour) {
    for (unsigned y = centre.y - reach; y < centre.y + reach; ++y) {
        for (unsigned x = centre.x - reach; x < centre.x + reach; ++x) {
            if (near(screen.getPixel(x, y), colour)) {
                return true;
            }
        }
    }
    return false;
}

// Where the first level's player shows in the window at the level's start.
sf::Vector2u firstLevelPlayerOnScreen(const std::string& geometry) {
    const auto field = [&](const std::string& key) {
        const std::size_t at = geometry.find(key + "=");
        return at == std::string::npos ? 0u : unsigned(std::stoul(geometry.substr(at + key.size() + 1)));
    };
    // Where the camera puts the player: its 320x320 view follows the player's
    // centre, kept inside the map, and is stretched over the 800x600 window.
    const sf::Vector2f start(40, 914);
    const sf::Vector2f viewCentre(std::clamp(start.x + 7, 160.0f, 1110.0f),
                                  std::clamp(start.y + 7, 160.0f, 860.0f));
    const sf::Vector2f onScreen((start.x + 7 - viewCentre.x + 160) * 2.5f,
                                (start.y + 7 - viewCentre.y + 160) * 1.875f);
    return {field("X") + unsigned(onScreen.x), field("Y") + unsigned(onScreen.y)};
}

TEST_F(LevelEndToEndTest, StartShowsTheLevelEscapePausesAndClosingEndsTheGame) {
    loadForm();
    const sf::Image menu = shot("menu");
    clickWidget("start");
    waitSeconds(1.5);
    const sf::Image level = shot("level");
    EXPECT_GT(differingShare(menu, level), 0.3) << "the level replaces the menu";
    const sf::Vector2u expected =
        firstLevelPlayerOnScreen(display.run("xdotool getwindowgeometry --shell " + window));
    EXPECT_TRUE(shownNear(level, expected, 30, playerColour())) << "the camera follows the player";

    tap("Escape");
    const sf::Image paused = shot("paused");
    EXPECT_GT(differingShare(level, paused), 0.05) << "the pause picture is shown";
    waitSeconds(1.0);
    EXPECT_LT(differingShare(paused, shot("still-paused")), 0.005) << "nothing moves while paused";

    ASSERT_TRUE(display.requestClose(window));
    int status = -1;
    ASSERT_TRUE(game->waitForExit(10.0, status)) << "closing the window ends the game";
    EXPECT_EQ(status, 0);
    EXPECT_EQ(unexpectedErrors().find("Pellowick:"), std::string::npos) << unexpectedErrors();
}

class PlayersLevelEndToEndTest : public EndToEndTest {
protected:
    // The player's own level: a copy of the first one, dropped into their levels folder.
    void prepare() override {
        std::filesystem::create_directories(folder + "/data/pellowick/levels");
        std::filesystem::copy_file(std::string(PELLOWICK_RUNTIME_DIR) + "/Assets/map.tmx",
                                   folder + "/data/pellowick/levels/mine.tmx");
    }
};

TEST_F(PlayersLevelEndToEndTest, ALevelInThePlayersFolderIsListedAndStarts) {
    loadForm();
    clickWidget("levels");
    const sf::Image list = shot("list");
    const std::string geometry = display.run("xdotool getwindowgeometry --shell " + window);
    const std::size_t at = geometry.find("Y=");
    const unsigned top = unsigned(std::stoul(geometry.substr(at + 2)));
    const unsigned left = unsigned(std::stoul(geometry.substr(geometry.find("X=") + 2)));
    // The rows of the list: two shipped levels, the player's below them, nothing under it.
    const auto rowBorder = [&](int row) {
        return list.getPixel(left + 400, top + 100 + unsigned(row) * 58 + 1);
    };
    const sf::Color gold(232, 200, 114);
    EXPECT_TRUE(near(rowBorder(0), gold) && near(rowBorder(1), gold));
    EXPECT_TRUE(near(rowBorder(2), gold)) << "the player's level is listed and may be started";
    EXPECT_FALSE(near(rowBorder(3), gold));

    clickAt({400.0f, 100.0f + 2 * 58 + 25});
    waitSeconds(1.5);
    const sf::Image level = shot("level");
    EXPECT_GT(differingShare(list, level), 0.3) << "the level replaces the list";
    EXPECT_TRUE(shownNear(level, firstLevelPlayerOnScreen(geometry), 30, playerColour()));
    EXPECT_EQ(unexpectedErrors().find("Pellowick:"), std::string::npos) << unexpectedErrors();
}
} // namespace
