#include "app/InputManager.hpp"
#include "components/EggComponent.hpp"
#include "components/LayEggComponent.hpp"
#include "screens/ControlsScreen.hpp"
#include "screens/IngameScreen.hpp"
#include "screens/StartScreen.hpp"
#include "support/ErrCapture.hpp"
#include "support/GameHarness.hpp"
#include "ui/Label.hpp"

#include <cmath>
#include <gtest/gtest.h>

// A player with a pad (fed through the game's own pad seam, as SFML would feed it), and the keyboard's
// own shot beside it.
namespace {
const unsigned kA = 0, kB = 1, kX = 2, kY = 3, kStart = 7;

const auto object = GameHarness::object;

class PadPlayTest : public ::testing::Test {
protected:
    void SetUp() override { plug(0, true); }
    void plug(unsigned pad, bool in) {
        RealtimeInput::setPadConnected(pad, in);
        harness.game->queueEvent(padPlugged(pad, in));
        harness.frames(1);
    }
    // Held for two frames, then let go for one.
    void press(unsigned button, unsigned pad = 0) {
        RealtimeInput::setPadButton(pad, button, true);
        harness.frames(2);
        RealtimeInput::setPadButton(pad, button, false);
        harness.frames(1);
    }
    void tilt(sf::Joystick::Axis axis, float position, int frames = 2) {
        RealtimeInput::setPadAxis(0, axis, position);
        harness.frames(frames);
        RealtimeInput::setPadAxis(0, axis, 0.0f);
        harness.frames(1);
    }
    std::shared_ptr<ui::Widget> focused() { return harness.screen<StartScreen>()->gui.getFocused(); }

    // Gives the player an egg, lays it with `lay`, waits for it to arm, shoots it with `shoot` and
    // returns how it moved in the first frames of its flight.
    template <class Lay, class Shoot> sf::Vector2f layAndShoot(Lay lay, Shoot shoot) {
        auto player = object("player1");
        player->getComponent<LayEggComponent>()->eggStock.push_back(object("egg1")->colliders[0]);
        lay();
        harness.frames(70);
        const sf::Vector2f before = object("egg1")->getPosition();
        shoot();
        harness.frames(3);
        const sf::Vector2f moved = object("egg1")->getPosition() - before;
        object("egg1")->getComponent<EggComponent>()->stop();
        object("egg1")->setPosition({-2000.0f, -2000.0f}); // out of the player's reach
        return moved;
    }

    GameHarness harness;
};

TEST_F(PadPlayTest, TheStickAndDPadMoveTheMenuFocusAOpensAndBGoesBack) {
    tilt(sf::Joystick::PovY, 100.0f);
    EXPECT_EQ(focused(), harness.screen<StartScreen>()->gui.get("start"));
    tilt(sf::Joystick::Y, 80.0f);
    tilt(sf::Joystick::Y, 20.0f);
    EXPECT_EQ(focused(), harness.screen<StartScreen>()->gui.get("levels")) << "inside the dead zone";
    for (int push = 0; push < 2; ++push) {
        tilt(sf::Joystick::Y, 20.0f);
        tilt(sf::Joystick::Y, 80.0f);
    }
    EXPECT_EQ(focused(), harness.screen<StartScreen>()->gui.get("controls"));
    press(kA);
    ASSERT_NE(harness.screen<ControlsScreen>(), nullptr);
    const ui::Gui& panel = harness.screen<ControlsScreen>()->boundKeys;
    ASSERT_NE(panel.get<ui::Label>("pad"), nullptr) << "with a pad the panel shows its buttons";
    EXPECT_NE(panel.get<ui::Label>("pad")->getText().find("\nA\nX, RT\nStart\nY\nB\n"), std::string::npos);
    EXPECT_NE(panel.get<ui::Label>("keys")->getText().find("\nE\nSpace\nEscape\nR\nQ\nLeft click\nF11"),
              std::string::npos);
    press(kB);
    ASSERT_NE(harness.screen<StartScreen>(), nullptr);
    tilt(sf::Joystick::PovY, -100.0f);
    EXPECT_EQ(focused(), harness.screen<StartScreen>()->gui.get("controls")) << "back where the player left";
    tilt(sf::Joystick::PovY, -100.0f);
    EXPECT_EQ(focused(), harness.screen<StartScreen>()->gui.get("options"));
}

TEST_F(PadPlayTest, ThePadPlaysALevelLaysShootsPausesRestartsAndWhenUnpluggedAnotherPadTakesOver) {
    plug(3, true);
    press(kA);
    press(kA);
    ASSERT_NE(harness.screen<IngameScreen>(), nullptr);
    const Gamepad& pads = InputManager::getInstance()->gamepad;
    EXPECT_EQ(pads.playingPad(), 0u) << "the first pad plays";
    const sf::Vector2f start = object("player1")->getPosition();
    tilt(sf::Joystick::X, 20.0f, 20);
    EXPECT_EQ(object("player1")->getPosition(), start) << "inside the dead zone nothing moves";
    tilt(sf::Joystick::X, 60.0f, 20);
    EXPECT_GT(object("player1")->getPosition().x, start.x + 5.0f);

    const sf::Vector2f alongMove = layAndShoot([&] { press(kA); }, [&] { press(kX); });
    EXPECT_GT(alongMove.x, 4.0f * std::abs(alongMove.y) + 1.0f) << "the way the player last moved";
    const sf::Vector2f alongStick = layAndShoot([&] { press(kA); },
                                                [&] {
                                                    RealtimeInput::setPadAxis(0, sf::Joystick::V, -90.0f);
                                                    tilt(sf::Joystick::R, 100.0f);
                                                    RealtimeInput::setPadAxis(0, sf::Joystick::V, 0.0f);
                                                });
    EXPECT_LT(alongStick.y, -4.0f * std::abs(alongStick.x) - 1.0f) << "where the right stick points";
    harness.press(sf::Keyboard::W);
    const sf::Vector2f bySpace =
        layAndShoot([&] { harness.press(sf::Keyboard::E); }, [&] { harness.press(sf::Keyboard::Space); });
    EXPECT_LT(bySpace.y, -4.0f * std::abs(bySpace.x) - 1.0f)
        << "Space too shoots the way the player last moved";

    object("player1")->getComponent<LayEggComponent>()->eggStock.push_back(object("egg2")->colliders[0]);
    const std::size_t carried = object("player1")->getComponent<LayEggComponent>()->eggStock.size();
    press(kStart);
    ASSERT_TRUE(harness.screen<IngameScreen>()->paused);
    press(kA);
    EXPECT_FALSE(harness.screen<IngameScreen>()->paused);
    EXPECT_EQ(object("player1")->getComponent<LayEggComponent>()->eggStock.size(), carried)
        << "the A that continues lays no egg";
    press(kStart);
    press(kY);
    ASSERT_NE(harness.screen<IngameScreen>(), nullptr);
    EXPECT_EQ(object("player1")->getPosition(), start) << "restarted";
    plug(0, false);
    ASSERT_TRUE(harness.screen<IngameScreen>()->paused) << "unplugging the playing pad pauses";
    EXPECT_EQ(pads.playingPad(), 3u);
    press(kB, 3);
    EXPECT_NE(harness.screen<StartScreen>(), nullptr);
    plug(3, false);
    EXPECT_FALSE(pads.isConnected());
}

TEST(PadSettingsTest, ButtonsBoundInTheSettingsFilePlayAndBadEntriesSayWhy) {
    ErrCapture errors;
    GameHarness harness("[pad]\nLAY = 5\nSHOOT = \"X\"\nJUMP = 1\nPAUSE = 32\n");
    const std::string file = harness.settingsFile();
    const std::string kept = " (the file will be kept as settings.toml.bad when a setting is saved)\n";
    EXPECT_EQ(errors.text().substr(0, errors.text().find("Setting vertical")),
              file + ":3: pad.SHOOT must be a button number from 0 to 31; using 2" + kept + file +
                  ":4: pad.JUMP: there is no such action; ignored" + kept + file +
                  ":5: pad.PAUSE must be a button number from 0 to 31; using 7" + kept);
    RealtimeInput::setPadConnected(0, true);
    ASSERT_TRUE(harness.startLevel());
    object("player1")->getComponent<LayEggComponent>()->eggStock.push_back(object("egg1")->colliders[0]);
    const auto& stock = object("player1")->getComponent<LayEggComponent>()->eggStock;
    for (const unsigned button : {0u, 5u}) {
        EXPECT_EQ(stock.size(), 1u) << "button 0 no longer lays";
        RealtimeInput::setPadButton(0, button, true);
        harness.frames(2);
        RealtimeInput::setPadButton(0, button, false);
        harness.frames(1);
    }
    EXPECT_TRUE(stock.empty()) << "button 5 lays";
}

} // namespace
