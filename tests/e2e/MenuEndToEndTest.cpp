// The real game played by xdotool as a player would: through the menu's screens, muted, into the level,
// paused and closed; then started again, still muted, into a level of the player's own.
#include "screens/LevelListScreen.hpp"
#include "storage/LevelCatalog.hpp"
#include "support/EndToEndTest.hpp"
#include "ui/CheckBox.hpp"

#include <cstdio>
#include <filesystem>
#include <map>

namespace {
class MenuEndToEndTest : public EndToEndTest {
protected:
    // The player's own level: a copy of the first one, dropped into their levels folder.
    void prepare() override {
        std::filesystem::create_directories(folder + "/data/pellowick/levels");
        std::filesystem::copy_file(std::string(PELLOWICK_RUNTIME_DIR) + "/Assets/map.tmx",
                                   folder + "/data/pellowick/levels/mine.tmx");
    }
    // Pixels of the tick's colour inside the menu's audio box, away from its border.
    int tickPixels(const sf::Image& image, sf::Vector2f corner) {
        auto audio = form.get<ui::CheckBox>("audio");
        const sf::Color tick = audio->getRenderer()->getColor("CheckColor").value_or(sf::Color::Black);
        const sf::Vector2f from = corner + audio->getPosition() + sf::Vector2f(4, 4);
        const sf::Vector2f to = corner + audio->getPosition() + audio->getSize() - sf::Vector2f(4, 4);
        int count = 0;
        for (float y = from.y; y < to.y; ++y) {
            for (float x = from.x; x < to.x; ++x) {
                count += near(image.getPixel(unsigned(x), unsigned(y)), tick) ? 1 : 0;
            }
        }
        return count;
    }
};

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

bool shownNear(const sf::Image& screen, sf::Vector2f centre, unsigned reach, sf::Color colour) {
    for (unsigned y = unsigned(centre.y) - reach; y < unsigned(centre.y) + reach; ++y) {
        for (unsigned x = unsigned(centre.x) - reach; x < unsigned(centre.x) + reach; ++x) {
            if (near(screen.getPixel(x, y), colour)) {
                return true;
            }
        }
    }
    return false;
}

// Where the camera puts the first level's player at the start: its 320x320 view follows the player's
// centre, kept inside the map, and is stretched over the 800x600 window.
sf::Vector2f firstLevelPlayerOnScreen() {
    const sf::Vector2f start(40 + 7, 914 + 7);
    const sf::Vector2f view(std::clamp(start.x, 160.0f, 1110.0f), std::clamp(start.y, 160.0f, 860.0f));
    return {(start.x - view.x + 160) * 2.5f, (start.y - view.y + 160) * 1.875f};
}

TEST_F(MenuEndToEndTest, PlayerVisitsTheMenuScreensMutesPlaysPausesClosesAndComesBackMutedToTheirOwnLevel) {
    EXPECT_EQ(display.run("xdotool getwindowname " + window), "Pellowick\n");
    EXPECT_NE(display.run("xdotool getwindowgeometry --shell " + window).find("WIDTH=800\nHEIGHT=600"),
              std::string::npos);
    const sf::Vector2f corner = windowCorner();
    loadForm();

    // The menu shows each button of the form where the form puts it, the focus on Start from the first.
    const sf::Image menu = shot("menu");
    ASSERT_GT(tickPixels(menu, corner), 0) << "audio is on at the first start";
    for (const char* name : {"start", "credits", "controls", "exit"}) {
        auto button = form.get<ui::Button>(name);
        ASSERT_NE(button, nullptr) << name;
        const auto border = button->getRenderer()->getColor(name == std::string("start") ? "BorderColorHover"
                                                                                         : "BorderColor");
        ASSERT_TRUE(border.has_value()) << name;
        const sf::Vector2f leftEdge =
            corner + button->getPosition() + sf::Vector2f(0.5f, button->getSize().y / 2.0f);
        EXPECT_TRUE(near(menu.getPixel(unsigned(leftEdge.x), unsigned(leftEdge.y)), *border)) << name;
    }

    // xdotool sends the press and the release of a key at once: the game sees both within one frame.
    for (int attempt = 1; attempt <= 10; ++attempt) {
        clickWidget(attempt % 2 ? "controls" : "credits");
        ASSERT_GT(differingShare(menu, shot("picture")), 0.15) << "the picture screen is shown";
        display.run("xdotool key Escape");
        waitSeconds(0.4);
        EXPECT_LT(differingShare(menu, shot("back")), 0.05) << "tap " << attempt << " was lost";
    }

    clickWidget("audio");
    clickWidget("start");
    waitSeconds(1.5);
    const sf::Image level = shot("level");
    EXPECT_GT(differingShare(menu, level), 0.3) << "the level replaces the menu";
    EXPECT_TRUE(shownNear(level, corner + firstLevelPlayerOnScreen(), 30, playerColour()))
        << "the camera follows the player";

    tap("Escape");
    const sf::Image paused = shot("paused");
    EXPECT_GT(differingShare(level, paused), 0.05) << "the pause picture is shown";
    waitSeconds(1.0);
    EXPECT_LT(differingShare(paused, shot("still-paused")), 0.005) << "nothing moves while paused";

    ASSERT_TRUE(closeAndWait()) << "closing the window ends the game";
    EXPECT_EQ(unexpectedErrors(), "");
    EXPECT_NE(settingsText().find("enabled = false"), std::string::npos);

    // What OpenAL played: music first, silence once the audio box was cleared.
    const sf::SoundBuffer sound = heard();
    const std::size_t rate = sound.getSampleRate() * sound.getChannelCount();
    const std::size_t end = sound.getSampleCount();
    ASSERT_GT(end, 4 * rate);
    EXPECT_GT(peakOf(sound, 0, end - 2 * rate), 1000) << "the music played";
    EXPECT_LT(peakOf(sound, end - 2 * rate, end), 50) << "muted: nothing is heard";

    // Started again, the box stays cleared and the game silent. A fresh data folder: the first level is
    // open, the second locked, and the player's own level, on the list's second page, is never locked.
    std::remove((folder + "/heard.wav").c_str());
    startGame();
    const sf::Vector2f again = windowCorner();
    EXPECT_EQ(tickPixels(shot("unticked"), again), 0) << "the box starts cleared";
    clickWidget("levels");
    const sf::Image list = shot("list");
    const auto rowBorder = [&](const sf::Image& image, int row) {
        return image.getPixel(unsigned(again.x) + 400, unsigned(again.y) + 100 + unsigned(row) * 58 + 1);
    };
    const sf::Color gold(232, 200, 114);
    const sf::Color locked(90, 90, 100);
    EXPECT_TRUE(near(rowBorder(list, 0), gold)) << "the first level is open";
    EXPECT_TRUE(near(rowBorder(list, 1), locked)) << "the second is greyed as locked";
    clickAt({400.0f, 100.0f + 58 + 25});
    EXPECT_LT(differingShare(list, shot("still")), 0.02) << "a locked level does not start";

    // Page Down: the shipped levels fill the first page.
    const std::size_t shipped = LevelCatalog::shippedLevels().size();
    ASSERT_EQ(shipped / LevelListScreen::kRowsPerPage, 1u);
    tap("Next");
    const sf::Image second = shot("second");
    const int mine = static_cast<int>(shipped % LevelListScreen::kRowsPerPage);
    EXPECT_TRUE(near(rowBorder(second, mine), gold)) << "the player's level is listed and may be started";
    EXPECT_FALSE(near(rowBorder(second, mine + 1), gold));
    clickAt({400.0f, 100.0f + mine * 58 + 25});
    waitSeconds(1.5);
    const sf::Image ownLevel = shot("own-level");
    EXPECT_GT(differingShare(second, ownLevel), 0.3) << "the level replaces the list";
    EXPECT_TRUE(shownNear(ownLevel, again + firstLevelPlayerOnScreen(), 30, playerColour()));
    ASSERT_TRUE(closeAndWait());
    EXPECT_EQ(unexpectedErrors().find("Pellowick:"), std::string::npos) << unexpectedErrors();
    const sf::SoundBuffer quiet = heard();
    EXPECT_GT(quiet.getSampleCount(), quiet.getSampleRate()) << "the game ran for a while";
    EXPECT_LT(peakOf(quiet, 0, quiet.getSampleCount()), 50) << "silent from the very start";
}

} // namespace
