#include "support/Events.hpp"
#include "support/UiWindowTest.hpp"
#include "ui/BitmapButton.hpp"
#include "ui/Button.hpp"
#include "ui/Gui.hpp"

#include <SFML/Graphics/View.hpp>

namespace {

const sf::Color kClear(0, 0, 128);

class GuiDrawTest : public UiWindowTest {
protected:
    void SetUp() override {
        UiWindowTest::SetUp();
        gui.setTarget(window);
        ASSERT_TRUE(gui.setFont(std::string(PELLOWICK_RUNTIME_DIR) + "/Assets/arial.ttf"));
        window.clear(kClear);
    }

    std::shared_ptr<ui::Button> filledButton(sf::Color fill, float left = 300) {
        auto button = ui::Button::create();
        button->setPosition({left, 200});
        button->setSize({100, 50});
        button->getRenderer()->setBackgroundColor(fill);
        button->getRenderer()->setBorders(0);
        gui.add(button);
        return button;
    }

    // Whether any pixel of the area has the colour.
    static bool shows(const sf::Image& image, sf::IntRect area, sf::Color color) {
        for (int y = area.top; y < area.top + area.height; ++y) {
            for (int x = area.left; x < area.left + area.width; ++x) {
                if (x >= 0 && y >= 0 && image.getPixel(x, y) == color) {
                    return true;
                }
            }
        }
        return false;
    }

    ui::Gui gui;
};

TEST_F(GuiDrawTest, DrawsInWindowPixelsWhateverTheViewInEveryLookAndRestoresTheView) {
    auto button = filledButton(sf::Color::Red);
    button->getRenderer()->setBackgroundColorHover(sf::Color::Green);
    button->getRenderer()->setBackgroundColorDown(sf::Color::Blue);
    filledButton(sf::Color(100, 100, 100), 500);
    // A zoomed camera view, as the screens set before drawing their GUI.
    const sf::View camera({100, 100}, {200, 150});
    window.setView(camera);
    gui.draw();
    EXPECT_EQ(window.getView().getCenter(), camera.getCenter());
    EXPECT_EQ(window.getView().getSize(), camera.getSize());
    const sf::Image frame = capture();
    EXPECT_EQ(frame.getPixel(300, 200), sf::Color::Red);
    EXPECT_EQ(frame.getPixel(399, 249), sf::Color::Red);
    EXPECT_EQ(frame.getPixel(400, 225), kClear);
    EXPECT_EQ(frame.getPixel(350, 250), kClear);

    gui.handleEvent(mouseMove(350, 225));
    gui.draw();
    EXPECT_EQ(capture().getPixel(350, 225), sf::Color::Green);
    gui.handleEvent(mousePress(350, 225));
    gui.draw();
    EXPECT_EQ(capture().getPixel(350, 225), sf::Color::Blue);
    // Without hover colours of its own a button still lightens under the mouse.
    gui.handleEvent(mouseRelease(350, 225));
    gui.handleEvent(mouseMove(550, 225));
    gui.draw();
    EXPECT_GT(capture().getPixel(550, 225).r, 100);
    EXPECT_EQ(capture().getPixel(350, 225), sf::Color::Red);
    EXPECT_EQ(capture().getPixel(496, 225), kClear) << "the pointer's hover has no focus ring";
    // The keys move the focus, which shows the hover look and a ring, and take the look from the pointer.
    gui.handleEvent(keyPress(sf::Keyboard::Left));
    window.clear(kClear);
    gui.draw();
    const sf::Image focused = capture();
    EXPECT_EQ(focused.getPixel(350, 225), sf::Color::Green);
    EXPECT_EQ(focused.getPixel(550, 225), sf::Color(100, 100, 100));
    EXPECT_EQ(focused.getPixel(296, 225), sf::Color(255, 240, 200)) << "a light ring round the focus";
    EXPECT_EQ(focused.getPixel(294, 225), sf::Color(11, 17, 40)) << "inside a dark one";
    EXPECT_EQ(focused.getPixel(496, 225), kClear);

    button->setVisible(false);
    window.clear(kClear);
    gui.draw();
    EXPECT_EQ(capture().getPixel(350, 225), kClear) << "hidden widgets are not drawn";
}

TEST_F(GuiDrawTest, TheEggCounterSizesItselfToItsTextAndTheIconShowsItsOwnCopyOfItsImageCentred) {
    auto counter = ui::Button::create("");
    counter->setText("0x");
    counter->setPosition({-25, -5});
    counter->setTextSize(50);
    counter->getRenderer()->setTextColor(sf::Color::White);
    counter->getRenderer()->setBackgroundColor(sf::Color::Transparent);
    counter->getRenderer()->setBorderColor(sf::Color::Transparent);
    gui.add(counter, "");
    const sf::Vector2f size = counter->getSize();
    EXPECT_GT(size.x, sf::Text("0x", *gui.getFont(), 50).getLocalBounds().width);
    EXPECT_GE(size.y, gui.getFont()->getLineSpacing(50));
    counter->setText("12x");
    EXPECT_GT(counter->getSize().x, size.x);

    sf::Image pixels;
    pixels.create(48, 48, sf::Color::Yellow);
    sf::Texture texture;
    ASSERT_TRUE(texture.loadFromImage(pixels));
    auto icon = ui::BitmapButton::create("");
    icon->setImage(texture);
    texture = sf::Texture(); // the button keeps its own copy
    icon->setPosition({190, 20});
    icon->getRenderer()->setBackgroundColor(sf::Color::Transparent);
    icon->getRenderer()->setBorderColor(sf::Color::Transparent);
    gui.add(icon, "");

    gui.draw();
    const sf::Image frame = capture();
    const sf::IntRect onScreen(0, 0, static_cast<int>(size.x) - 25, static_cast<int>(size.y) - 5);
    EXPECT_TRUE(shows(frame, onScreen, sf::Color::White));
    EXPECT_FALSE(shows(frame, onScreen, sf::Color(245, 245, 245)));
    const sf::Vector2f centre = icon->getPosition() + icon->getSize() / 2.f;
    EXPECT_EQ(frame.getPixel(unsigned(centre.x), unsigned(centre.y)), sf::Color::Yellow);
    EXPECT_EQ(frame.getPixel(189, 40), kClear);
}
} // namespace
