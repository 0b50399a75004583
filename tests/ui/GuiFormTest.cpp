#include "support/ErrCapture.hpp"
#include "support/Files.hpp"
#include "support/UiWindowTest.hpp"
#include "ui/BitmapButton.hpp"
#include "ui/Button.hpp"
#include "ui/CheckBox.hpp"
#include "ui/FormError.hpp"
#include "ui/Gui.hpp"
#include "ui/Label.hpp"
#include "ui/Picture.hpp"

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

// Every construct of the format the menu may use; the picture sits beside the form file.
const char* const kGoodForm = R"(// A line comment
/* A block comment
   over two lines */
Renderer.shared {
    BackgroundColor = #102030; BackgroundColorHover = rgba(1, 2, 3, 4);
    BorderColor = #ABC; Borders = (1, 2, 3, 4); TextColor = White;
}

Button.start {
    Text = "first"; Position = ("50%", 10%); Size = (200, 44);
    Text = "Say \"hi\"\tnow"; TextSize = 20; Renderer = &shared;
};

Button."quoted name" { Size = (100, 20); Position = ("(&.w - w) / 2", 2 * (3 + 1)); Text = bare   words here }

Button.exit { Renderer = &shared
}

CheckBox.audio {
    Position = (1, 2); Size = (22, 22); Text = "Äudio"; /* a comment inside */
    Checked = yes; Enabled = FALSE;
    Renderer { CheckColor = rgb(60, 61, 62); TextColor = #11223344; }
}

Label.title { Text = "Two\nlines"; Visible = off; }

Picture.backdrop { IgnoreMouseEvents = true; Renderer { Texture = "pic.png" Part(0, 0, 2, 3) Smooth; } }

BitmapButton.icon { Image = "pic.png"; Position = (5, 6); }
)";

class GuiFormTest : public UiWindowTest {
protected:
    void SetUp() override {
        UiWindowTest::SetUp();
        folder = makeTempFolder("ui");
        sf::Image picture;
        picture.create(4, 5, sf::Color::Green);
        ASSERT_TRUE(picture.saveToFile((folder / "pic.png").string()));
        gui.setTarget(window);
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string writeForm(const std::string& text) {
        const fs::path path = folder / "form.txt";
        std::ofstream(path) << text;
        return path.string();
    }

    fs::path folder;
    ui::Gui gui;
};

TEST_F(GuiFormTest, ReadsEveryConstructOfTheFormat) {
    gui.loadWidgetsFromFile(writeForm(kGoodForm));
    ASSERT_EQ(gui.getWidgets().size(), 7u);
    const auto start = gui.get<ui::Button>("start");
    const auto quoted = gui.get<ui::Button>("quoted name");
    const auto audio = gui.get<ui::CheckBox>("audio");
    const auto title = gui.get<ui::Label>("title");
    const auto backdrop = gui.get<ui::Picture>("backdrop");
    const auto icon = gui.get<ui::BitmapButton>("icon");
    ASSERT_TRUE(start && quoted && audio && title && backdrop && icon) << "every widget is read as its kind";

    EXPECT_EQ(start->getText(), "Say \"hi\"\tnow");
    EXPECT_EQ(start->getTextSize(), 20u);
    EXPECT_EQ(start->getPosition(), sf::Vector2f(400, 60));
    EXPECT_EQ(start->getSize(), sf::Vector2f(200, 44));
    const auto style = start->getRenderer();
    EXPECT_EQ(style, gui.get("exit")->getRenderer());
    EXPECT_EQ(style->getBackgroundColor(), sf::Color(0x10, 0x20, 0x30));
    EXPECT_EQ(style->getColor("BackgroundColorHover"), sf::Color(1, 2, 3, 4));
    EXPECT_EQ(style->getBorderColor(), sf::Color(0xAA, 0xBB, 0xCC));
    EXPECT_EQ(style->getTextColor(), sf::Color::White);
    const ui::Borders borders = *style->getBorders();
    EXPECT_EQ(std::vector<float>({borders.left, borders.top, borders.right, borders.bottom}),
              std::vector<float>({1, 2, 3, 4}));

    EXPECT_EQ(quoted->getText(), "bare words here");
    EXPECT_EQ(quoted->getPosition(), sf::Vector2f(350, 8));

    EXPECT_EQ(audio->getText(), "\xC3\x84udio");
    EXPECT_TRUE(audio->isChecked());
    EXPECT_FALSE(audio->isEnabled());
    EXPECT_EQ(audio->getRenderer()->getCheckColor(), sf::Color(60, 61, 62));
    EXPECT_EQ(audio->getRenderer()->getTextColor(), sf::Color(0x11, 0x22, 0x33, 0x44));

    EXPECT_EQ(title->getText(), "Two\nlines");
    EXPECT_FALSE(title->isVisible());

    EXPECT_TRUE(backdrop->ignoresMouse());
    EXPECT_EQ(backdrop->getSize(), sf::Vector2f(2, 3));
    EXPECT_TRUE(backdrop->getRenderer()->getTexture("Texture")->texture->isSmooth());

    EXPECT_EQ(icon->getImage().texture->getSize(), sf::Vector2u(4, 5));
    EXPECT_EQ(gui.get<ui::CheckBox>("start"), nullptr);
}

TEST_F(GuiFormTest, UnknownKeysAreReportedOnceAndSkipped) {
    ErrCapture err;
    gui.loadWidgetsFromString("Button.a {\n    Rotation = 45;\n    text = lower;\n    Text = ok;\n}",
                              "menu.txt");
    EXPECT_EQ(err.text(), "menu.txt:2: warning: unknown key 'Rotation' in 'Button.a' is ignored\n"
                          "menu.txt:3: warning: unknown key 'text' in 'Button.a' is ignored\n");
    EXPECT_EQ(gui.get<ui::Button>("a")->getText(), "ok");
}

struct Malformed {
    std::string text;
    std::string message; // what() without the "form.txt:" prefix
};

// Deep enough to exhaust the stack of a reader that recursed once per level.
const std::string kDeepLayout = std::string(300000, '(') + "1" + std::string(300000, ')');
std::string deepSections() {
    std::string text = "Button.a ";
    for (int i = 0; i < 300000; ++i) {
        text += "{ R ";
    }
    return text + std::string(300001, '}');
}

TEST_F(GuiFormTest, EachMalformationNamesItsLineAndLeavesTheGuiAsItWas) {
    // The body of a section Button.a, whose second line it starts.
    const auto inA = [](const std::string& body) { return "Button.a {\n  " + body + "\n}"; };
    const Malformed cases[] = {
        {"Button.a {\n  Text = x;\n", "1: section 'Button.a' is not closed with '}'"},
        {inA("Text = \"abc;"), "2: unterminated string"},
        {"/* never closed\nButton.a {}", "1: unterminated comment"},
        {"Button.a {}\n}", "2: expected a section, found '}'"},
        {"Button.a\n  Text = x;", "2: expected '{' after 'Button.a'"},
        {inA("Text x;"), "2: expected '=' after 'Text'"},
        {"\nSpinButton.s {\n}", "2: unknown widget type 'SpinButton'"},
        {inA("\n  Renderer = &nope;"), "3: there is no section 'Renderer.nope' for 'Renderer = &nope'"},
        {inA("Renderer = shared;"), "2: expected '&<id>' naming a Renderer section, found 'shared'"},
        {inA("Text = a = b;"), "2: '=' inside the value of 'Text'"},
        {inA("Size = (10,\n {20);"), "3: '{' inside the value of 'Size'"},
        {inA("TextSize = big;"), "2: bad number 'big'"},
        {inA("TextSize = -3;"), "2: expected a whole number of 0 or more, found '-3'"},
        {inA("Visible = maybe;"), "2: expected true or false, found 'maybe'"},
        {inA("Position = (1, 2, 3);"), "2: expected (x, y), found '(1, 2, 3)'"},
        {inA("Position = (min(1, 2), 3);"), "2: unsupported term 'min' in the layout 'min(1, 2)'"},
        {inA("Size = (w, 3);"), "2: a size cannot depend on itself in the layout 'w'"},
        {inA("Position = (1 / 0, 3);"), "2: division by zero in the layout '1 / 0'"},
        {inA("Renderer {\n    BackgroundColor = #12345;\n  }"), "3: bad colour '#12345'"},
        {inA("Renderer {\n    TextColor = rgb(1, 2, 300);\n  }"),
         "3: colour part '300' is not within 0 to 255"},
        {inA("Renderer { Borders = (1, 2, 3); }"), "2: expected 1, 2 or 4 border widths, found '(1, 2, 3)'"},
        {"Picture.p {\n  Renderer { Texture = pic.png; }\n}",
         "2: expected a quoted file name or None, found 'pic.png'"},
        {"Picture.p {\n  Renderer { Texture = \"pic.png\" Middle(1, 1, 1, 1); }\n}",
         "2: unsupported texture option 'Middle(1, 1, 1, 1)'"},
        {"Picture.p {\n  Renderer { Texture = \"gone.png\"; }\n}",
         "2: cannot load the texture '" + (folder / "gone.png").string() + "'"},
        {inA("Label.b { }"), "2: 'Button.a' cannot hold a section 'Label.b'"},
        {"Renderer {\n}", "1: a shared Renderer section needs an id: Renderer.<id>"},
        {inA("TextSize = 88888888888888888888888888880;"),
         "2: expected at most 1000, found '88888888888888888888888888880'"},
        {deepSections(), "1: sections nested more than 16 deep"},
        {inA("Position = (" + kDeepLayout + ", 0);"),
         "2: brackets or signs nested more than 64 deep in the layout '" + kDeepLayout + "'"},
    };
    gui.loadWidgetsFromString("Button.kept {}", "kept.txt");
    const std::string path = (folder / "form.txt").string();
    for (const auto& malformed : cases) {
        SCOPED_TRACE(malformed.text.substr(0, 80));
        try {
            gui.loadWidgetsFromFile(writeForm(malformed.text));
            ADD_FAILURE() << "expected a FormError";
        } catch (const ui::FormError& error) {
            EXPECT_EQ(error.what(), path + ":" + malformed.message);
        }
        EXPECT_EQ(gui.getWidgets().size(), 1u);
        EXPECT_NE(gui.get("kept"), nullptr);
    }
}

TEST(GuiFormWithoutWindowTest, AFormReplacesOrAddsToTheHeldWidgetsAndNeedsAWindowForPercentages) {
    ui::Gui gui;
    gui.add(ui::Button::create("mine"), "mine");
    gui.loadWidgetsFromString("Button.a { Position = (-25, 7.5); }", "first.txt", false);
    EXPECT_NE(gui.get("mine"), nullptr);
    EXPECT_EQ(gui.get("a")->getPosition(), sf::Vector2f(-25, 7.5f));
    EXPECT_THROW(gui.loadWidgetsFromString("Button.b { Position = (50%, 0); }", "second.txt"), ui::FormError);
    gui.loadWidgetsFromString("Button.b {}", "second.txt");
    EXPECT_EQ(gui.get("mine"), nullptr);
    EXPECT_EQ(gui.get("a"), nullptr);
    EXPECT_NE(gui.get("b"), nullptr);
}

} // namespace
