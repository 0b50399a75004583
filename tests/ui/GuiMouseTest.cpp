#include "support/Events.hpp"
#include "ui/Button.hpp"
#include "ui/CheckBox.hpp"
#include "ui/Gui.hpp"
#include "ui/Label.hpp"
#include "ui/Picture.hpp"
#include "ui/Slider.hpp"

#include <gtest/gtest.h>
#include <memory>

namespace {

// Two buttons side by side and a counter of clicks for each.
class GuiMouseTest : public ::testing::Test {
protected:
    void SetUp() override {
        left = place(ui::Button::create("left"), {100, 100}, "left");
        right = place(ui::Button::create("right"), {200, 100}, "right");
        left->onClick.connect([this] { ++leftClicks; });
        right->onClick.connect([this] { ++rightClicks; });
    }

    template <class W>
    std::shared_ptr<W> place(std::shared_ptr<W> widget, sf::Vector2f at, const char* name) {
        widget->setPosition(at);
        widget->setSize({50, 40});
        gui.add(widget, name);
        return widget;
    }

    void click(int x, int y) {
        gui.handleEvent(mousePress(x, y));
        gui.handleEvent(mouseRelease(x, y));
    }

    ui::Gui gui;
    std::shared_ptr<ui::Button> left;
    std::shared_ptr<ui::Button> right;
    int leftClicks = 0;
    int rightClicks = 0;
};

TEST_F(GuiMouseTest, OnlyALeftPressAndReleaseInsideTheSameWidgetOnTopClicksIt) {
    EXPECT_TRUE(gui.handleEvent(mousePress(120, 110)));
    EXPECT_TRUE(left->isPressed());
    EXPECT_TRUE(gui.handleEvent(mouseRelease(125, 115)));
    EXPECT_EQ(leftClicks, 1);
    // The same release record fed again, as the menu does frame after frame, clicks no more.
    gui.handleEvent(mouseRelease(125, 115));

    gui.handleEvent(mousePress(120, 110));
    gui.handleEvent(mouseRelease(220, 110));
    gui.handleEvent(mousePress(220, 110));
    gui.handleEvent(mouseRelease(10, 10));
    EXPECT_FALSE(right->isPressed()) << "the press was forgotten with the release outside";
    gui.handleEvent(mousePress(120, 110, sf::Mouse::Right));
    gui.handleEvent(mouseRelease(120, 110, sf::Mouse::Right));
    gui.handleEvent(mouseRelease(120, 110));
    gui.handleEvent(mouseRelease(220, 110));
    EXPECT_EQ(leftClicks, 1);
    EXPECT_EQ(rightClicks, 0);

    // A widget's area holds its top and left edges but not its far ones.
    EXPECT_EQ(gui.getWidgetAt({100, 100}), left);
    EXPECT_EQ(gui.getWidgetAt({149.9f, 139.9f}), left);
    EXPECT_EQ(gui.getWidgetAt({150, 120}), nullptr);
    EXPECT_EQ(gui.getWidgetAt({120, 140}), nullptr);
    EXPECT_FALSE(gui.handleEvent(mousePress(99, 120)));

    // The widget on top wins unless hidden or ignoring the mouse, and blocks while disabled.
    leftClicks = 0;
    auto cover = place(ui::Button::create("cover"), {110, 100}, "cover");
    int coverClicks = 0;
    cover->onClick.connect([&] { ++coverClicks; });
    click(120, 110);
    EXPECT_EQ(coverClicks, 1);
    EXPECT_EQ(leftClicks, 0);

    cover->setEnabled(false);
    gui.handleEvent(mouseMove(120, 110));
    EXPECT_FALSE(cover->isHovered() || left->isHovered());
    EXPECT_TRUE(gui.handleEvent(mousePress(120, 110)));
    EXPECT_TRUE(gui.handleEvent(mouseRelease(120, 110)));
    EXPECT_EQ(coverClicks + leftClicks, 1);
    // Enabled again, a fresh click gets through.
    cover->setEnabled(true);
    click(120, 110);
    EXPECT_EQ(coverClicks, 2);

    cover->setVisible(false);
    click(120, 110);
    EXPECT_EQ(leftClicks, 1);
    gui.remove(cover);
    place(ui::Picture::create(), {100, 100}, "picture")->setIgnoreMouseEvents(true);
    click(120, 110);
    EXPECT_EQ(leftClicks, 2);
}

TEST_F(GuiMouseTest, KeysAndPadsMoveTheFocusByPlaceAndOrderOverWidgetsThatTakeItAndActivateIt) {
    place(ui::Label::create("title"), {0, 0}, "title");
    auto hidden = place(ui::Button::create("hidden"), {0, 200}, "hidden");
    hidden->setVisible(false);
    place(ui::Button::create("off"), {0, 300}, "off")->setEnabled(false);
    auto box = place(ui::CheckBox::create("Audio"), {300, 100}, "audio");
    std::vector<bool> ticks; // what the box's click handler sees
    box->onClick.connect([&] { ticks.push_back(box->isChecked()); });
    auto volume = place(ui::Slider::create(0, 10), {300, 200}, "volume");
    const auto key = [&](sf::Keyboard::Key code, bool shift = false, bool alt = false) {
        return gui.handleEvent(keyPress(code, shift, alt));
    };
    EXPECT_FALSE(key(sf::Keyboard::A));
    EXPECT_TRUE(gui.move(ui::Gui::Move::Activate)) << "with no focus shown, the first widget acts at once";
    EXPECT_EQ(leftClicks, 1);
    EXPECT_EQ(gui.getFocused(), left);

    std::vector<std::shared_ptr<ui::Widget>> visited;
    for (const auto code :
         {sf::Keyboard::Right, sf::Keyboard::Right, sf::Keyboard::Right, sf::Keyboard::Down}) {
        EXPECT_TRUE(key(code));
        visited.push_back(gui.getFocused());
    }
    EXPECT_EQ(visited, (std::vector<std::shared_ptr<ui::Widget>>{right, box, left, volume}))
        << "along the row, round its end, then down to the one widget below";
    key(sf::Keyboard::Right);
    gui.move(ui::Gui::Move::Right);
    gui.move(ui::Gui::Move::Left);
    EXPECT_EQ(volume->getValue(), 1.0f) << "the focused slider keeps Left and Right for its value";
    key(sf::Keyboard::Up);
    EXPECT_EQ(gui.getFocused(), box) << "Up goes to the nearest widget above, not the first in order";
    gui.move(ui::Gui::Move::Down);
    gui.move(ui::Gui::Move::Down);
    EXPECT_EQ(gui.getFocused(), box) << "down past the bottom wraps to the top of the column";
    key(sf::Keyboard::Tab);
    key(sf::Keyboard::Tab);
    EXPECT_EQ(gui.getFocused(), left) << "Tab follows the order and wraps round";
    key(sf::Keyboard::Tab, true);
    key(sf::Keyboard::Tab, true);
    EXPECT_EQ(gui.getFocused(), box);
    key(sf::Keyboard::Left);
    EXPECT_TRUE(right->isFocused() && !box->isFocused() && !left->isFocused());

    key(sf::Keyboard::Enter);
    key(sf::Keyboard::Enter, false, true);
    EXPECT_EQ(rightClicks, 1) << "Alt+Enter is the window's, not the menu's";
    key(sf::Keyboard::Right);
    key(sf::Keyboard::Space);
    EXPECT_EQ(ticks, std::vector<bool>{true}) << "Space ticks the focused box, then signals";
    box->setVisible(false);
    EXPECT_EQ(gui.getFocused(), nullptr) << "a hidden widget loses the focus";
    EXPECT_FALSE(gui.setFocused(hidden));
    box->setVisible(true);
    box->setChecked(false);
    click(305, 105);
    click(349, 139);
    EXPECT_EQ(ticks, (std::vector<bool>{true, true, false})) << "a click flips it too; code does not signal";
}

TEST_F(GuiMouseTest, AScreenComingBackPutsTheFocusWhereThePlayerLeftAndHoverMovesItTheKeysCarryingOn) {
    EXPECT_TRUE(gui.handleEvent(keyPress(sf::Keyboard::Right)));
    EXPECT_EQ(gui.focusName(), "right") << "on a fresh screen the first arrow moves on from the first widget";
    gui.restoreFocus("gone", true);
    EXPECT_EQ(gui.getFocused(), left) << "opened by keys, a missing name shows the first";
    gui.restoreFocus("right", false);
    EXPECT_EQ(gui.getFocused(), nullptr) << "opened by the mouse: nothing shows";
    EXPECT_EQ(gui.focusName(), "right");
    gui.move(ui::Gui::Move::Activate);
    EXPECT_EQ(rightClicks, 1) << "but the keys act where the player left";

    gui.handleEvent(mouseMove(120, 110));
    gui.handleEvent(mouseMove(220, 110));
    EXPECT_TRUE(right->isHovered() && !left->isHovered());
    EXPECT_EQ(gui.getFocused(), right);
    gui.handleEvent(mouseMove(10, 10));
    EXPECT_EQ(gui.getFocused(), nullptr) << "the pointer takes its focus away with it";
    gui.handleEvent(keyPress(sf::Keyboard::Left));
    EXPECT_EQ(gui.getFocused(), left) << "the keys carry on from where the pointer was";

    gui.handleEvent(mouseMove(220, 110));
    gui.handleEvent(keyPress(sf::Keyboard::Left));
    EXPECT_EQ(gui.getFocused(), left) << "and from a hovered widget";
    click(220, 110);
    EXPECT_EQ(rightClicks, 2) << "clicks work as ever";
    gui.handleEvent(mouseLeave());
    EXPECT_FALSE(right->isHovered());
}

TEST(GuiLifetimeTest, AClickHandlerMayDestroyTheGui) {
    auto gui = std::make_unique<ui::Gui>();
    auto button = ui::Button::create("start");
    button->setSize({50, 40});
    gui->add(button, "start");
    std::weak_ptr<ui::Button> watch = button;
    int laterHandlerRuns = 0;
    // The start screen switches screens from its click handler, taking its Gui with it.
    button->onClick.connect([&] { gui.reset(); });
    button->onClick.connect([&] {
        ++laterHandlerRuns;
        EXPECT_FALSE(watch.expired());
    });
    button.reset();

    ui::Gui* raw = gui.get();
    raw->handleEvent(mousePress(10, 10));
    EXPECT_TRUE(raw->handleEvent(mouseRelease(10, 10)));
    EXPECT_EQ(gui, nullptr);
    EXPECT_EQ(laterHandlerRuns, 1);
    EXPECT_TRUE(watch.expired());
}

} // namespace
