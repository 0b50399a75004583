#include "support/VirtualDisplay.hpp"
#include "ui/Button.hpp"
#include "ui/Gui.hpp"

#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <thread>

// The real pellowick binary on its own X server, driven with xdotool like a
// player would, with OpenAL Soft writing what it plays to a WAV file.
namespace {
void pause(double seconds) {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

std::string makeTempFolder() {
    char pattern[] = "/tmp/pellowick-e2e-XXXXXX";
    const char* made = mkdtemp(pattern);
    return made ? made : "/tmp";
}

// Share of pixels that differ clearly between two screenshots of equal size.
double differingShare(const sf::Image& a, const sf::Image& b) {
    const sf::Vector2u size = a.getSize();
    std::size_t differing = 0;
    for (unsigned y = 0; y < size.y; y += 4) {
        for (unsigned x = 0; x < size.x; x += 4) {
            const sf::Color p = a.getPixel(x, y);
            const sf::Color q = b.getPixel(x, y);
            if (std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b) > 48) {
                ++differing;
            }
        }
    }
    return static_cast<double>(differing) / ((size.x / 4) * (size.y / 4));
}

bool near(sf::Color a, sf::Color b) {
    return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b) <= 24;
}

class MenuEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(display.ok()) << "Xvfb did not start";
        folder = makeTempFolder();
        std::ofstream(folder + "/alsoft.conf") << "[general]\ndrivers = wave\nsample-type = int16\n"
                                                  "channels = mono\nfrequency = 22050\n[wave]\nfile = "
                                               << folder << "/heard.wav\n";
        // Started from another folder: the game must find Assets/ beside itself.
        game = std::make_unique<ChildProcess>(
            std::vector<std::string>{std::string(PELLOWICK_RUNTIME_DIR) + "/pellowick"},
            std::vector<std::string>{"DISPLAY=" + display.name, "ALSOFT_CONF=" + folder + "/alsoft.conf",
                                     "ALSOFT_DRIVERS=wave"},
            folder, folder + "/stderr.txt");
        window = display.run("timeout 20 xdotool search --sync --onlyvisible --name '^Pellowick$' | head -1");
        window.erase(std::remove(window.begin(), window.end(), '\n'), window.end());
        ASSERT_FALSE(window.empty()) << "no window titled Pellowick";
        display.run("xdotool windowfocus --sync " + window + " mousemove 1000 740");
        pause(1.0);
    }

    void clickAt(sf::Vector2f point) {
        display.run("xdotool mousemove --window " + window + " " + std::to_string(int(point.x)) + " " +
                    std::to_string(int(point.y)) + " click 1 mousemove 1000 740");
        pause(0.8);
    }
    void clickWidget(const std::string& name) {
        auto widget = form.get(name);
        ASSERT_NE(widget, nullptr) << name;
        clickAt(widget->getPosition() + widget->getSize() / 2.0f);
    }
    void tap(const std::string& key) {
        display.run("xdotool keydown " + key + " sleep 0.2 keyup " + key);
        pause(0.6);
    }
    sf::Image shot(const std::string& name) {
        sf::Image image;
        const std::string path = folder + "/" + name + ".png";
        EXPECT_TRUE(display.screenshot(path));
        EXPECT_TRUE(image.loadFromFile(path));
        return image;
    }
    void loadForm() {
        sf::RenderTexture screenSized; // percentages in the form are of the window size
        screenSized.create(800, 600);
        form.setTarget(screenSized);
        form.loadWidgetsFromFile(std::string(PELLOWICK_RUNTIME_DIR) + "/Assets/start.txt");
    }

    VirtualDisplay display;
    std::string folder;
    std::unique_ptr<ChildProcess> game;
    std::string window;
    ui::Gui form;
};

TEST_F(MenuEndToEndTest, PlayerVisitsEveryMenuScreenMutesAndQuits) {
    EXPECT_EQ(display.run("xdotool getwindowname " + window), "Pellowick\n");
    const std::string geometry = display.run("xdotool getwindowgeometry --shell " + window);
    EXPECT_NE(geometry.find("WIDTH=800"), std::string::npos) << geometry;
    EXPECT_NE(geometry.find("HEIGHT=600"), std::string::npos) << geometry;
    loadForm();
    const auto field = [&](const std::string& key) {
        const std::size_t at = geometry.find(key + "=");
        return at == std::string::npos ? 0.0f : std::stof(geometry.substr(at + key.size() + 1));
    };
    const sf::Vector2f windowCorner(field("X"), field("Y"));

    // The menu shows each button of the form where the form puts it.
    const sf::Image menu = shot("menu");
    for (const char* name : {"start", "credits", "controls", "exit"}) {
        auto button = form.get<ui::Button>(name);
        ASSERT_NE(button, nullptr) << name;
        const auto border = button->getRenderer()->getBorderColor();
        ASSERT_TRUE(border.has_value()) << name;
        const sf::Vector2f leftEdge =
            windowCorner + button->getPosition() + sf::Vector2f(0.5f, button->getSize().y / 2.0f);
        EXPECT_TRUE(near(menu.getPixel(unsigned(leftEdge.x), unsigned(leftEdge.y)), *border)) << name;
    }

    clickWidget("controls");
    EXPECT_GT(differingShare(menu, shot("controls")), 0.15) << "the controls picture is shown";
    tap("Escape");
    EXPECT_LT(differingShare(menu, shot("back")), 0.05) << "Escape returns to the menu";

    clickWidget("credits");
    EXPECT_GT(differingShare(menu, shot("credits")), 0.15) << "the credits picture is shown";
    tap("Escape");

    clickWidget("audio");
    pause(1.5);
    clickWidget("exit");
    int status = -1;
    ASSERT_TRUE(game->waitForExit(10.0, status)) << "exit closes the game";
    EXPECT_EQ(status, 0);

    std::ifstream errors(folder + "/stderr.txt");
    std::string line;
    std::string errorText;
    while (std::getline(errors, line)) {
        // Xvfb's software OpenGL has no swap control; SFML says so when the window opens.
        if (line != "Setting vertical sync not supported") {
            errorText += line + "\n";
        }
    }
    EXPECT_EQ(errorText, "") << "no error lines while using the menu";

    // What OpenAL played: music first, silence after the audio box was cleared.
    sf::SoundBuffer heard;
    ASSERT_TRUE(heard.loadFromFile(folder + "/heard.wav"));
    const sf::Int16* samples = heard.getSamples();
    const std::size_t rate = heard.getSampleRate() * heard.getChannelCount();
    ASSERT_GT(heard.getSampleCount(), 4 * rate);
    const auto loudest = [&](std::size_t from, std::size_t to) {
        int peak = 0;
        for (std::size_t i = from; i < to; ++i) {
            peak = std::max(peak, std::abs(int(samples[i])));
        }
        return peak;
    };
    const std::size_t end = heard.getSampleCount();
    EXPECT_GT(loudest(0, end - 2 * rate), 1000) << "the music played";
    EXPECT_LT(loudest(end - rate, end), 50) << "muted: nothing is heard";
}

TEST(StartupTest, WithoutAssetsBesideItTheGameSaysWhereItLookedAndExits) {
    const std::string folder = makeTempFolder();
    const std::string copy = folder + "/pellowick";
    ASSERT_EQ(std::system(("cp " + std::string(PELLOWICK_RUNTIME_DIR) + "/pellowick " + copy).c_str()), 0);
    const std::string output = [&] {
        std::string text;
        FILE* pipe = popen((copy + " 2>&1").c_str(), "r");
        char buffer[256];
        while (pipe && fgets(buffer, sizeof buffer, pipe)) {
            text += buffer;
        }
        const int status = pipe ? pclose(pipe) : -1;
        EXPECT_EQ(WEXITSTATUS(status), 1);
        return text;
    }();
    EXPECT_EQ(output, "Pellowick: cannot find the Assets folder; looked for " + folder + "/Assets\n");
}
} // namespace
