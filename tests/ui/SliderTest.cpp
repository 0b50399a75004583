#include "ui/Slider.hpp"

#include "support/ErrCapture.hpp"
#include "support/Events.hpp"
#include "ui/Gui.hpp"

#include <gtest/gtest.h>

namespace {
// A volume slider as the options screen has one, read from a widget file: 0 to 100 in steps of 5,
// 200 pixels wide from x = 100.
TEST(SliderTest, TheFileSetsTheLimitsTheValueSnapsToAStepKeysStopAtTheEndsAndTheMouseDrags) {
    ErrCapture errors;
    ui::Gui gui;
    gui.loadWidgetsFromString("Slider.volume {\n    Position = (100, 50);\n    Size = (200, 20);\n"
                              "    Minimum = 0;\n    Maximum = 100;\n    Step = 5;\n    Value = 62;\n"
                              "    Renderer { TrackColor = #141C3C; ThumbColorHover = white; }\n}\n",
                              "volume.txt");
    EXPECT_EQ(errors.text(), "") << "every key of a slider is known";
    const auto slider = gui.get<ui::Slider>("volume");
    ASSERT_NE(slider, nullptr);
    int changes = 0;
    slider->onValueChange.connect([&] { ++changes; });
    EXPECT_EQ(slider->getValue(), 60.0f);
    slider->setValue(250);
    EXPECT_EQ(slider->getValue(), 100.0f);
    slider->setMaximum(40);
    EXPECT_EQ(slider->getValue(), 40.0f) << "a lower maximum takes the value down with it";
    EXPECT_EQ(changes, 0) << "only the player's changes are signalled";

    slider->setValue(5);
    EXPECT_TRUE(slider->focusedKeyPressed(sf::Keyboard::Left));
    EXPECT_EQ(slider->getValue(), 0.0f);
    EXPECT_TRUE(slider->focusedKeyPressed(sf::Keyboard::Left));
    EXPECT_EQ(slider->getValue(), 0.0f);
    EXPECT_TRUE(slider->focusedKeyPressed(sf::Keyboard::Right));
    EXPECT_EQ(slider->getValue(), 5.0f);
    EXPECT_FALSE(slider->focusedKeyPressed(sf::Keyboard::Up)) << "Up moves the focus on";
    EXPECT_EQ(changes, 2) << "a key at the end moves nothing and says nothing";

    // A press jumps, a drag carries, and the limits hold.
    slider->setMaximum(100);
    gui.handleEvent(mousePress(150, 60));
    EXPECT_EQ(slider->getValue(), 25.0f);
    gui.handleEvent(mouseMove(231, 90)); // held: the thumb follows, even below the track
    EXPECT_EQ(slider->getValue(), 65.0f);
    gui.handleEvent(mouseMove(500, 60));
    EXPECT_EQ(slider->getValue(), 100.0f);
    gui.handleEvent(mouseRelease(500, 60));
    gui.handleEvent(mouseMove(120, 60));
    EXPECT_EQ(slider->getValue(), 100.0f) << "released, a move changes nothing";
    EXPECT_EQ(changes, 5);
}

} // namespace
