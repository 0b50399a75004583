#include "app/SettingsFile.hpp"

#include "support/ErrCapture.hpp"
#include "support/Files.hpp"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {
namespace fs = std::filesystem;

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/pellowick-settings-XXXXXX";
        folder = mkdtemp(pattern);
        path = folder + "/pellowick/settings.toml";
    }
    void TearDown() override { fs::remove_all(folder); }

    void writeFile(const std::string& text) {
        fs::create_directories(folder + "/pellowick");
        std::ofstream(path) << text;
    }
    std::string keptNote() const {
        return " (the file will be kept as settings.toml.bad when a setting is saved)\n";
    }

    std::string folder;
    std::string path;
};

TEST_F(SettingsFileTest, EveryEntryComesBackAsSavedAndAMissingFileMeansTheDefaults) {
    ErrCapture errors;
    SettingsFile file(path);
    EXPECT_EQ(file.load(), Settings());
    EXPECT_FALSE(fs::exists(folder + "/pellowick")) << "reading writes nothing";

    Settings changed;
    changed.audio = false;
    changed.fullscreen = true;
    changed.windowSize = {1024, 768};
    const char* const actions[] = {"LEFT", "RIGHT", "UP", "DOWN", "LAY", "PAUSE", "RESTART", "MENU", "SHOOT"};
    const sf::Keyboard::Key keys[] = {sf::Keyboard::Left, sf::Keyboard::Right,   sf::Keyboard::Up,
                                      sf::Keyboard::Down, sf::Keyboard::Space,   sf::Keyboard::F5,
                                      sf::Keyboard::Num1, sf::Keyboard::Numpad9, sf::Keyboard::E};
    for (int i = 0; i < 9; ++i) {
        changed.keys[actions[i]] = keys[i];
    }
    ASSERT_TRUE(file.save(changed));
    EXPECT_EQ(SettingsFile(path).load(), changed);
    const std::string text = readWholeFile(path);
    EXPECT_NE(text.find("LAY = 'Space'"), std::string::npos) << text;
    EXPECT_NE(text.find("PAUSE = 'F5'"), std::string::npos) << text;
    EXPECT_NE(text.find("RESTART = 'Num1'"), std::string::npos) << text;
    EXPECT_FALSE(fs::exists(path + ".tmp"));
    EXPECT_EQ(errors.text(), "");
}

struct BadFile {
    const char* kind;
    const char* text;
    const char* line;
    void (*check)(const Settings&);
};

const BadFile kBadFiles[] = {
    {"bad TOML", "[audio]\nenabled = tru\n",
     ":2: Error while parsing boolean: expected 'true', saw 'tru\\n'; the default settings are used",
     [](const Settings& s) { EXPECT_EQ(s, Settings()); }},
    {"wrong type", "[audio]\nenabled = \"no\"\n[window]\nwidth = 1024\nheight = 768\n",
     ":2: audio.enabled must be true or false; using true",
     [](const Settings& s) {
         EXPECT_TRUE(s.audio);
         EXPECT_EQ(s.windowSize, sf::Vector2u(1024, 768)) << "good entries are used";
     }},
    {"unknown key name", "[keys]\nLEFT = \"Foo\"\nRIGHT = \"Right\"\n",
     ":2: keys.LEFT: unknown key name \"Foo\"; using A",
     [](const Settings& s) {
         EXPECT_EQ(s.key("LEFT"), sf::Keyboard::A);
         EXPECT_EQ(s.key("RIGHT"), sf::Keyboard::Right);
     }},
    {"key bound to two actions", "[keys]\nLEFT = \"Left\"\nRIGHT = \"Left\"\n",
     ":3: keys.RIGHT: Left is already bound to LEFT; using D",
     [](const Settings& s) {
         EXPECT_EQ(s.key("LEFT"), sf::Keyboard::Left);
         EXPECT_EQ(s.key("RIGHT"), sf::Keyboard::D);
     }},
    {"key taken from a default", "[keys]\nUP = \"S\"\n", ":2: keys.UP: S is already bound to DOWN; using W",
     [](const Settings& s) { EXPECT_EQ(s.key("UP"), sf::Keyboard::W); }},
};

TEST_F(SettingsFileTest, EachBadEntryIsOneLineAndFallsBackToItsDefault) {
    for (const BadFile& bad : kBadFiles) {
        SCOPED_TRACE(bad.kind);
        writeFile(bad.text);
        ErrCapture errors;
        const Settings loaded = SettingsFile(path).load();
        EXPECT_EQ(errors.text(), path + bad.line + keptNote());
        bad.check(loaded);
    }

    // Swapping two keys is no clash.
    writeFile("[keys]\nLEFT = \"D\"\nRIGHT = \"A\"\n");
    ErrCapture errors;
    const Settings swapped = SettingsFile(path).load();
    EXPECT_EQ(errors.text(), "");
    EXPECT_EQ(swapped.key("LEFT"), sf::Keyboard::D);
    EXPECT_EQ(swapped.key("RIGHT"), sf::Keyboard::A);
}

TEST_F(SettingsFileTest, AnUnreadableFileMeansTheDefaultsAndIsKeptAsBadAtTheFirstSave) {
    fs::create_directories(path); // a folder where the file should be
    ErrCapture errors;
    SettingsFile file(path);
    EXPECT_EQ(file.load(), Settings());
    EXPECT_EQ(errors.text(), path + ": cannot read the file; the default settings are used" + keptNote());
    Settings muted;
    muted.audio = false;
    ASSERT_TRUE(file.save(muted));
    EXPECT_TRUE(fs::is_directory(path + ".bad"));
    EXPECT_EQ(SettingsFile(path).load(), muted);
}

TEST_F(SettingsFileTest, APlayersBadFileIsKeptBesideTheNewOne) {
    const std::string original = "[audio]\nenabled = false\n[keys]\nLAY = \"Nope\"\n";
    writeFile(original);
    ErrCapture errors;
    SettingsFile file(path);
    Settings settings = file.load();
    EXPECT_FALSE(settings.audio) << "the good entry is used";
    settings.fullscreen = true;
    ASSERT_TRUE(file.save(settings));
    EXPECT_EQ(readWholeFile(path + ".bad"), original);
    EXPECT_EQ(SettingsFile(path).load(), settings);
    // Later saves replace the file alone.
    ASSERT_TRUE(file.save(Settings()));
    EXPECT_EQ(readWholeFile(path + ".bad"), original);
}

TEST_F(SettingsFileTest, AWriteStoppedBeforeTheRenameLeavesTheOldFileWhole) {
    Settings old;
    old.windowSize = {1000, 750};
    ASSERT_TRUE(SettingsFile(path).save(old));
    const std::string oldText = readWholeFile(path);

    Settings next;
    next.audio = false;
    SettingsFile interrupted(path);
    ASSERT_TRUE(interrupted.writeNewFile(next)); // the game stops here
    EXPECT_EQ(readWholeFile(path), oldText);
    EXPECT_EQ(SettingsFile(path).load(), old);
    ASSERT_TRUE(SettingsFile(path).save(next)) << "the left-over new file is no obstacle";
    EXPECT_EQ(SettingsFile(path).load(), next);
}

TEST_F(SettingsFileTest, AFolderThatCannotBeMadeIsOneLineAndTheGameGoesOn) {
    std::ofstream(folder + "/blocker") << "a file, not a folder";
    const std::string blocked = folder + "/blocker/pellowick/settings.toml";
    ErrCapture errors;
    EXPECT_FALSE(SettingsFile(blocked).save(Settings()));
    EXPECT_EQ(errors.text(), "Pellowick: cannot save the settings: cannot create the folder " + folder +
                                 "/blocker/pellowick: Not a directory\n");
}

TEST_F(SettingsFileTest, TheFileLivesUnderXdgConfigHomeOrElseUnderHomeConfig) {
    const char* savedConfig = std::getenv("XDG_CONFIG_HOME");
    const std::string keptConfig = savedConfig ? savedConfig : "";
    const char* savedHome = std::getenv("HOME");
    const std::string keptHome = savedHome ? savedHome : "";

    setenv("HOME", folder.c_str(), 1);
    setenv("XDG_CONFIG_HOME", "/somewhere", 1);
    EXPECT_EQ(SettingsFile::defaultPath(), "/somewhere/pellowick/settings.toml");
    for (const char* ignored : {"", "relative/folder"}) {
        setenv("XDG_CONFIG_HOME", ignored, 1);
        EXPECT_EQ(SettingsFile::defaultPath(), folder + "/.config/pellowick/settings.toml") << ignored;
    }
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(SettingsFile::defaultPath(), folder + "/.config/pellowick/settings.toml");
    ASSERT_TRUE(SettingsFile(SettingsFile::defaultPath()).save(Settings()));
    EXPECT_TRUE(fs::exists(folder + "/.config/pellowick/settings.toml"));

    setenv("HOME", keptHome.c_str(), 1);
    if (savedConfig) {
        setenv("XDG_CONFIG_HOME", keptConfig.c_str(), 1);
    }
}
} // namespace
