#pragma once

#include "support/Files.hpp"
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

inline void waitSeconds(double seconds) {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

// Share of pixels that differ clearly between two screenshots of equal size.
inline double differingShare(const sf::Image& a, const sf::Image& b) {
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

inline bool near(sf::Color a, sf::Color b) {
    return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b) <= 24;
}

class EndToEndTest : public ::testing::Test {
protected:
    explicit EndToEndTest(const std::string& screen = "1024x768x24") : display(screen) {}

    void SetUp() override {
        folder = makeTempFolder();
        prepare();
        startGame();
    }

    // Starts the program on the test's own display with `folder` as its working directory, and waits
    // for its window. Each start writes the sound afresh; the settings folder is the test's own and is
    // kept between starts.
    void startGame() { startGame({program}); }
    void startGame(const std::vector<std::string>& command) {
        ASSERT_TRUE(display.ok()) << "Xvfb did not start";
        std::ofstream(folder + "/alsoft.conf") << "[general]\ndrivers = wave\nsample-type = int16\n"
                                                  "channels = mono\nfrequency = 22050\n[wave]\nfile = "
                                               << folder << "/heard.wav\n";
        // Started from another folder: the game must find Assets/ beside itself.
        game = std::make_unique<ChildProcess>(
            command,
            withEnvironment({"DISPLAY=" + display.name, "ALSOFT_CONF=" + folder + "/alsoft.conf",
                             "ALSOFT_DRIVERS=" + soundDrivers, "XDG_CONFIG_HOME=" + folder + "/config",
                             "XDG_DATA_HOME=" + folder + "/data"}),
            folder, folder + "/stderr.txt");
        findWindow();
        ASSERT_FALSE(window.empty()) << "no window titled Pellowick";
        display.run("xdotool windowfocus --sync " + window + (keysOnly ? "" : " mousemove 1000 740"));
        waitSeconds(1.0);
    }
    // The game's window; switching to fullscreen and back makes a new one.
    void findWindow() {
        window = display.run("timeout 20 xdotool search --sync --onlyvisible --name '^Pellowick$' | head -1");
        window.erase(std::remove(window.begin(), window.end(), '\n'), window.end());
    }

    std::vector<std::string> withEnvironment(std::vector<std::string> variables) const {
        variables.insert(variables.end(), environment.begin(), environment.end());
        return variables;
    }

    // Runs before the game starts, in the test's own folder.
    virtual void prepare() {}

    void clickAt(sf::Vector2f point) {
        display.run("xdotool mousemove --window " + window + " " + std::to_string(int(point.x)) + " " +
                    std::to_string(int(point.y)) + " click 1 mousemove 1000 740");
        waitSeconds(0.8);
    }
    void clickWidget(const std::string& name) {
        auto widget = form.get(name);
        ASSERT_NE(widget, nullptr) << name;
        clickAt(widget->getPosition() + widget->getSize() / 2.0f);
    }
    void tap(const std::string& key) {
        display.run("xdotool keydown " + key + " sleep 0.2 keyup " + key);
        waitSeconds(0.6);
    }
    sf::Image shot(const std::string& name) {
        sf::Image image;
        const std::string path = folder + "/" + name + ".png";
        EXPECT_TRUE(display.screenshot(path));
        EXPECT_TRUE(image.loadFromFile(path));
        return image;
    }
    // Screenshots until one shows what `shown` looks for, for as long as a loaded machine may need; the last.
    template <class Shown>
    sf::Image shotOnceShown(const std::string& name, Shown shown, double seconds = 10.0) {
        sf::Image image = shot(name);
        for (double waited = 0; waited < seconds && !shown(image); waited += 0.25) {
            waitSeconds(0.25);
            image = shot(name);
        }
        return image;
    }
    void loadForm() {
        sf::RenderTexture screenSized; // percentages in the form are of the window size
        screenSized.create(800, 600);
        form.setTarget(screenSized);
        form.loadWidgetsFromFile(std::string(PELLOWICK_RUNTIME_DIR) + "/Assets/start.txt");
    }

    // The window's top-left corner on the screen.
    sf::Vector2f windowCorner() const {
        const std::string geometry = display.run("xdotool getwindowgeometry --shell " + window);
        const auto field = [&](const std::string& key) {
            const std::size_t at = geometry.find(key + "=");
            return at == std::string::npos ? 0.0f : std::stof(geometry.substr(at + key.size() + 1));
        };
        return {field("X"), field("Y")};
    }
    std::string settingsText() const { return readWholeFile(folder + "/config/pellowick/settings.toml"); }
    // Closes the window as a window manager would; true when the game then ended with status 0.
    bool closeAndWait(double seconds = 10.0) {
        int status = -1;
        return display.requestClose(window) && game->waitForExit(seconds, status) && status == 0;
    }
    // What OpenAL played in the last run.
    sf::SoundBuffer heard() const {
        sf::SoundBuffer buffer;
        EXPECT_TRUE(buffer.loadFromFile(folder + "/heard.wav"));
        return buffer;
    }
    // The loudest sample between two sample positions.
    static int peakOf(const sf::SoundBuffer& sound, std::size_t from, std::size_t to) {
        int peak = 0;
        for (std::size_t i = from; i < std::min<std::size_t>(to, sound.getSampleCount()); ++i) {
            peak = std::max(peak, std::abs(int(sound.getSamples()[i])));
        }
        return peak;
    }

    // What the game wrote to its error stream, less the trace of each level it loaded and what Xvfb's
    // software OpenGL makes SFML say (it has no swap control).
    std::string unexpectedErrors() const {
        std::ifstream errors(folder + "/stderr.txt");
        std::string text;
        for (std::string line; std::getline(errors, line);) {
            if (line != "Setting vertical sync not supported" && line.rfind("Load ", 0) != 0) {
                text += line + "\n";
            }
        }
        return text;
    }

    VirtualDisplay display;
    // More variables for the game's environment ("LANGUAGE=es"), set after the test's own.
    std::vector<std::string> environment;
    // No mouse event at all reaches the game.
    bool keysOnly = false;
    // The OpenAL Soft back ends the game may use; "wave" writes what it plays to heard.wav.
    std::string soundDrivers = "wave";
    std::string program = std::string(PELLOWICK_RUNTIME_DIR) + "/pellowick";
    std::string folder;
    std::unique_ptr<ChildProcess> game;
    std::string window;
    ui::Gui form;
};
