#include "app/InputManager.hpp"
#include "components/EggComponent.hpp"
#include "components/LayEggComponent.hpp"
#include "input/ActionLabel.hpp"
#include "screens/ControlsScreen.hpp"
#include "screens/EndScreen.hpp"
#include "screens/IngameScreen.hpp"
#include "screens/OptionsScreen.hpp"
#include "screens/StartScreen.hpp"
#include "storage/Settings.hpp"
#include "support/ErrCapture.hpp"
#include "support/GameHarness.hpp"
#include "support/VirtualPad.hpp"
#include "ui/Label.hpp"

#include <cmath>
#include <gtest/gtest.h>
#include <sstream>

// Players with pads, as SDL's own virtual pads of several kinds, and the keyboard beside them.
namespace {
const auto object = GameHarness::object;

class PadPlayTest : public ::testing::Test {
protected:
    std::shared_ptr<ui::Widget> focused() { return harness.screen<StartScreen>()->gui.getFocused(); }
    std::shared_ptr<ui::Widget> menuItem(const char* name) {
        return harness.screen<StartScreen>()->gui.get(name);
    }
    std::string padColumn() {
        auto label = harness.screen<ControlsScreen>()->boundKeys.get<ui::Label>("pad");
        return label ? label->getText() : "";
    }

    // Gives the player an egg, lays it with `lay`, waits for it to arm, shoots it with `shoot` and
    // returns how it moved in the first frames of its flight.
    template <class Lay, class Shoot> sf::Vector2f layAndShoot(Lay lay, Shoot shoot) {
        GameHarness::giveEgg();
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

TEST_F(PadPlayTest, APlayStationPadWalksTheMenuButNotWithoutFocusAndTheControlsScreenNamesItsButtons) {
    VirtualPad pad(VirtualPad::kPlayStation4);
    harness.frames(1);
    EXPECT_EQ(focused(), menuItem("start")) << "a fresh menu shows its focus on its first button";
    harness.game->queueEvent(focusLost());
    harness.press(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    EXPECT_EQ(focused(), menuItem("start")) << "while another window has the focus the pad is not ours";
    harness.game->queueEvent(focusGained());
    harness.press(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    EXPECT_EQ(focused(), menuItem("practice")) << "the first press moves the focus";
    harness.tilt(pad, SDL_CONTROLLER_AXIS_LEFTY, 0.2f);
    EXPECT_EQ(focused(), menuItem("practice")) << "inside the dead zone";
    for (int push = 0; push < 3; ++push) {
        harness.tilt(pad, SDL_CONTROLLER_AXIS_LEFTY, 0.8f);
    }
    EXPECT_EQ(focused(), menuItem("controls"));
    harness.press(pad, SDL_CONTROLLER_BUTTON_A);
    ASSERT_NE(harness.screen<ControlsScreen>(), nullptr);
    EXPECT_EQ(padColumn(), "\nStick, D-pad\nStick, D-pad\nStick, D-pad\nStick, D-pad\nCross\nSquare, R2\n"
                           "Options\nTriangle\nCircle\nRight stick\nCross, Circle");
    EXPECT_EQ(harness.screen<ControlsScreen>()->boundKeys.get<ui::Label>("footer")->getText(),
              "Press Circle to go back");
    harness.tap(sf::Keyboard::W);
    harness.frames(1);
    EXPECT_EQ(harness.screen<ControlsScreen>()->boundKeys.get("panel"), nullptr)
        << "after the keyboard the default keys are the picture's";
    harness.press(pad, SDL_CONTROLLER_BUTTON_B);
    ASSERT_NE(harness.screen<StartScreen>(), nullptr);
    EXPECT_EQ(focused(), menuItem("controls")) << "back on the menu where the player left it";
}

TEST_F(PadPlayTest, ThePadPlaysALevelTheLastPadUsedDrivesAndUnpluggingItPauses) {
    VirtualPad first(VirtualPad::kPlayStation4);
    VirtualPad second(VirtualPad::kXbox360);
    harness.press(first, SDL_CONTROLLER_BUTTON_A);
    harness.press(first, SDL_CONTROLLER_BUTTON_A);
    ASSERT_NE(harness.screen<IngameScreen>(), nullptr);
    const sf::Vector2f start = object("player1")->getPosition();
    harness.tilt(first, SDL_CONTROLLER_AXIS_LEFTX, 0.2f, 20);
    EXPECT_EQ(object("player1")->getPosition(), start) << "inside the dead zone nothing moves";
    harness.tilt(first, SDL_CONTROLLER_AXIS_LEFTX, 0.6f, 20);
    EXPECT_GT(object("player1")->getPosition().x, start.x + 5.0f);

    const auto lay = [&] { harness.press(first, SDL_CONTROLLER_BUTTON_A); };
    const sf::Vector2f alongMove = layAndShoot(lay, [&] { harness.press(first, SDL_CONTROLLER_BUTTON_X); });
    EXPECT_GT(alongMove.x, 4.0f * std::abs(alongMove.y) + 1.0f) << "the way the player last moved";
    const sf::Vector2f alongStick = layAndShoot(lay, [&] {
        first.tilt(SDL_CONTROLLER_AXIS_RIGHTY, -0.9f);
        harness.tilt(first, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 1.0f);
        first.tilt(SDL_CONTROLLER_AXIS_RIGHTY, 0.0f);
    });
    EXPECT_LT(alongStick.y, -4.0f * std::abs(alongStick.x) - 1.0f) << "where the right stick points";

    GameHarness::giveEgg("egg2");
    const std::size_t carried = object("player1")->getComponent<LayEggComponent>()->eggStock.size();
    harness.press(first, SDL_CONTROLLER_BUTTON_START);
    ASSERT_TRUE(harness.screen<IngameScreen>()->paused);
    EXPECT_NE(harness.screen<IngameScreen>()->pauseKeys->getText().find("Options continue"),
              std::string::npos);
    EXPECT_NE(harness.screen<IngameScreen>()->boundKeys->getText().find("LAY Cross"), std::string::npos);
    harness.press(first, SDL_CONTROLLER_BUTTON_A);
    EXPECT_FALSE(harness.screen<IngameScreen>()->paused);
    EXPECT_EQ(object("player1")->getComponent<LayEggComponent>()->eggStock.size(), carried)
        << "the A that continues lays no egg";
    harness.press(first, SDL_CONTROLLER_BUTTON_START);
    harness.press(first, SDL_CONTROLLER_BUTTON_Y);
    ASSERT_NE(harness.screen<IngameScreen>(), nullptr);
    EXPECT_EQ(object("player1")->getPosition(), start) << "restarted";

    harness.press(second, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    EXPECT_EQ(InputManager::getInstance()->gamepad.family(), PadNames::Family::Xbox) << "the pad used last";
    first.unplug();
    harness.frames(1);
    EXPECT_FALSE(harness.screen<IngameScreen>()->paused) << "a pad nobody plays with may go";
    second.unplug();
    harness.frames(1);
    ASSERT_TRUE(harness.screen<IngameScreen>()->paused) << "unplugging the playing pad pauses";
    EXPECT_FALSE(InputManager::getInstance()->gamepad.isConnected());
    harness.press(sf::Keyboard::Q);
    EXPECT_NE(harness.screen<StartScreen>(), nullptr);
}

TEST(PadRumbleTest, APadNudgesWhenADogStartsChasingAndShakesWhenCaughtUnlessRumbleIsOff) {
    for (const bool on : {true, false}) {
        GameHarness harness(on ? "" : "[pad]\nrumble = false\n");
        VirtualPad pad(VirtualPad::kSwitchPro);
        ASSERT_TRUE(harness.startLevel());
        pad.hold(SDL_CONTROLLER_BUTTON_LEFTSHOULDER); // a button the level does not use
        harness.frames(2);
        object("player1")->setPosition(400, 872); // in a dog's path
        ASSERT_TRUE(harness.framesUntil([&] { return harness.screen<EndScreen>(); }, 60 * 10));
        EXPECT_FALSE(GameStateManager::getInstance()->won) << "caught";
        std::vector<Uint16> strengths;
        for (const auto& [low, high] : pad.rumbles) {
            EXPECT_EQ(low, high);
            if (low > 0 && (strengths.empty() || strengths.back() != low)) {
                strengths.push_back(low);
            }
        }
        const std::vector<Uint16> chaseThenCaught = {26214, 65535};
        EXPECT_EQ(strengths, on ? chaseThenCaught : std::vector<Uint16>());
    }
}

TEST(PadMappingTest, APlayersMappingReplacesSdlsABadLineIsNamedOnceAndAnUnmappablePadPlaysIfItCan) {
    VirtualPad swapped(VirtualPad::kPlayStation4);
    VirtualPad raw({0x1234, 0x0010}, false, 10);
    VirtualPad tiny({0x1234, 0x0011}, false, 2);
    const std::string line =
        swapped.guid + ",Swapped pad,a:b1,b:b0,x:b2,y:b3,back:b4,guide:b5,start:b6,leftstick:b7,"
                       "rightstick:b8,leftshoulder:b9,rightshoulder:b10,dpup:b11,dpdown:b12,dpleft:b13,"
                       "dpright:b14,leftx:a0,lefty:a1,rightx:a2,righty:a3,lefttrigger:a4,righttrigger:a5,";
    ErrCapture errors;
    GameHarness harness("", "# my pads\nnot a mapping\n" + swapped.guid + ",Other,a:b3,platform:Windows,\n" +
                                line + "platform:Linux,\n");
    harness.frames(2);
    std::istringstream lines(errors.text());
    std::string text;
    std::vector<std::string> padLines;
    while (std::getline(lines, text)) {
        if (text.find("Setting vertical sync") == std::string::npos) {
            padLines.push_back(text);
        }
    }
    ASSERT_EQ(padLines.size(), 2u) << errors.text();
    EXPECT_EQ(padLines[0],
              harness.padMappingsFile() + ":2: Couldn't parse GUID from not a mapping; the line is skipped");
    EXPECT_EQ(padLines[1],
              "Pellowick: the pad \"Test pad\" (" + tiny.guid +
                  ") is not known to SDL and has too few buttons and sticks to play; a line for it "
                  "in " +
                  harness.padMappingsFile() + " would make it usable");

    // The swapped pad's button 1 is now its A: it focuses the menu and starts the level.
    harness.press(swapped, 1);
    harness.press(swapped, 1);
    ASSERT_NE(harness.screen<IngameScreen>(), nullptr);
    harness.leaveForTheMenu();
    // The plain joystick plays as the usual Linux layout: its hat moves, its first button is A.
    const auto hat = [&](Uint8 way) {
        raw.setHat(way);
        harness.frames(2);
        raw.setHat(SDL_HAT_CENTERED);
        harness.frames(1);
    };
    hat(SDL_HAT_DOWN);
    EXPECT_EQ(harness.screen<StartScreen>()->gui.focusName(), "practice");
    hat(SDL_HAT_UP);
    EXPECT_EQ(harness.screen<StartScreen>()->gui.focusName(), "start");
    raw.hold(0);
    harness.frames(2);
    EXPECT_NE(harness.screen<IngameScreen>(), nullptr);
}

TEST(PadNamesTest, EachKindOfPadShowsItsOwnButtonsAndTheKeyboardItsKeys) {
    struct Case {
        VirtualPad::Ids ids;
        const char* lay;
        const char* shoot;
        const char* pause;
    };
    const Case cases[] = {
        {VirtualPad::kPlayStation4, "Cross", "Square, R2", "Options"},
        {VirtualPad::kXbox360, "A", "X, RT", "Start"},
        {VirtualPad::kSwitchPro, "A", "X, ZR", "Plus"},
        {VirtualPad::kUnknown, "South", "West, R2", "Start"},
    };
    const Settings settings;
    for (const Case& kind : cases) {
        Gamepad gamepad;
        gamepad.start("");
        VirtualPad pad(kind.ids);
        gamepad.update();
        EXPECT_FALSE(gamepad.wasUsedLast()) << "plugged in, not yet used";
        EXPECT_EQ(ActionLabel::of("LAY", settings, gamepad), "E");
        pad.hold(SDL_CONTROLLER_BUTTON_B);
        gamepad.update();
        EXPECT_EQ(ActionLabel::of("LAY", settings, gamepad), kind.lay);
        EXPECT_EQ(ActionLabel::of("SHOOT", settings, gamepad), kind.shoot);
        EXPECT_EQ(ActionLabel::of("PAUSE", settings, gamepad), kind.pause);
        EXPECT_EQ(ActionLabel::of("LEFT", settings, gamepad), "Stick, D-pad");
        gamepad.keyboardUsed();
        EXPECT_EQ(ActionLabel::of("SHOOT", settings, gamepad), "Space");
    }
}

TEST(PadSettingsTest, ButtonsByNameOrOldNumberPlayBadEntriesSayWhyAndOptionsBindByPressing) {
    ErrCapture errors;
    GameHarness harness("[pad]\nLAY = \"leftshoulder\"\nSHOOT = 2\nJUMP = 1\nPAUSE = 32\nMENU = \"nope\"\n"
                        "rumble = \"yes\"\n");
    VirtualPad pad(VirtualPad::kPlayStation4);
    const std::string file = harness.settingsFile();
    const std::string kept = " (the file will be kept as settings.toml.bad when a setting is saved)\n";
    const std::string names = " must be a button by SDL's name (a, b, x, y, leftshoulder, start...); using ";
    EXPECT_EQ(errors.text().substr(0, errors.text().find("Setting vertical")),
              file + ":4: pad.JUMP: there is no such action; ignored" + kept + file + ":5: pad.PAUSE" +
                  names + "start" + kept + file + ":6: pad.MENU" + names + "b" + kept + file +
                  ":7: pad.rumble must be true or false; using true" + kept);
    EXPECT_EQ(GameStateManager::getInstance()->settings.padButton("SHOOT"), SDL_CONTROLLER_BUTTON_X)
        << "2 was X in older files";
    ASSERT_TRUE(harness.startLevel());
    GameHarness::giveEgg();
    const auto& stock = object("player1")->getComponent<LayEggComponent>()->eggStock;
    for (const int button : {SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_BUTTON_LEFTSHOULDER}) {
        EXPECT_EQ(stock.size(), 1u) << "A no longer lays";
        harness.press(pad, button);
    }
    EXPECT_TRUE(stock.empty()) << "L1 lays";

    GameStateManager::getInstance()->setState(GameStateManager::kOptionsScreen);
    harness.frames(1);
    auto* options = harness.screen<OptionsScreen>();
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(options->padButtons.at("LAY")->getText(), "Lay: L1");
    ASSERT_TRUE(harness.clickOn(options->padButtons.at("RESTART")));
    EXPECT_EQ(options->messageLine->getText(), "Press a pad button for Restart (Escape cancels)");
    harness.press(pad, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER);
    EXPECT_EQ(options->messageLine->getText(), "Restart is now R1");
    EXPECT_EQ(options->padButtons.at("RESTART")->getText(), "Restart: R1");
    ASSERT_TRUE(harness.clickOn(options->checkBoxes.at("pad.rumble")));
    const std::string text = readWholeFile(file);
    EXPECT_NE(text.find("RESTART = 'rightshoulder'"), std::string::npos) << text;
    EXPECT_NE(text.find("rumble = false"), std::string::npos) << text;

    ASSERT_TRUE(harness.clickOn(options->padButtons.at("MENU")));
    harness.press(pad, SDL_CONTROLLER_BUTTON_START);
    EXPECT_EQ(options->messageLine->getText(), "Menu is now Options; Pause takes Circle")
        << "one button never serves two actions of the level";
    ASSERT_TRUE(harness.clickOn(options->padButtons.at("ACCEPT")));
    harness.press(pad, SDL_CONTROLLER_BUTTON_LEFTSHOULDER);
    EXPECT_EQ(options->messageLine->getText(), "Accept is now L1") << "LAY is never read in the menus";

    ASSERT_TRUE(harness.clickOn(options->resetKeysButton));
    harness.frames(1);
    EXPECT_EQ(options->padButtons.at("LAY")->getText(), "Lay: Cross") << "Reset keys resets the pad too";
    EXPECT_EQ(GameStateManager::getInstance()->settings.padButton("RESTART"), SDL_CONTROLLER_BUTTON_Y);
}
} // namespace
