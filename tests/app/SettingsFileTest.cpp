#include "app/SettingsFile.hpp"

#include "support/ErrCapture.hpp"
#include "support/Files.hpp"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>

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
    changed.musicVolume = 0;
    changed.effectsVolume = 35;
    changed.difficulty = Settings::Difficulty::Hard;
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
    EXPECT_NE(text.find("difficulty = 'hard'"), std::string::npos) << text;
    EXPECT_FALSE(fs::exists(path + ".tmp"));

    // A file from before the volumes: muted stays muted, and unmuting brings back full volume.
    writeFile("[audio]\nenabled = false\n");
    Settings old;
    old.audio = false;
    EXPECT_EQ(SettingsFile(path).load(), old);
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
    {"volume out of range", "[audio]\nmusic = 101\neffects = 40\n",
     ":2: audio.music must be a whole number from 0 to 100; using 100",
     [](const Settings& s) {
         EXPECT_EQ(s.musicVolume, 100);
         EXPECT_EQ(s.effectsVolume, 40);
     }},
    {"unknown difficulty", "[game]\ndifficulty = \"Hard\"\n",
     ":2: game.difficulty must be \"easy\", \"normal\" or \"hard\"; using \"normal\"",
     [](const Settings& s) { EXPECT_EQ(s.difficulty, Settings::Difficulty::Normal); }},
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
    {"key the game keeps", "[keys]\nPAUSE = \"F11\"\nLAY = \"Enter\"\n",
     ":2: keys.PAUSE: F11 switches between the window and fullscreen and cannot be bound; using Escape",
     [](const Settings& s) {
         EXPECT_EQ(s.key("PAUSE"), sf::Keyboard::Escape);
         EXPECT_EQ(s.key("LAY"), sf::Keyboard::Enter) << "only Alt+Enter is kept";
     }},
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

    // Endless names are quoted only as far as a player needs to find them.
    writeFile("[keys]\nLEFT = \"" + std::string(5000, 'x') + "\"\n" + std::string(5000, 'y') + " = \"B\"\n");
    errors.clear();
    SettingsFile(path).load();
    EXPECT_EQ(errors.text(), path + ":2: keys.LEFT: unknown key name \"" + std::string(32, 'x') +
                                 "...\"; using A" + keptNote() + path + ":3: keys." + std::string(32, 'y') +
                                 "...: there is no such action; ignored" + keptNote());
}

TEST_F(SettingsFileTest, WhatIsNoSmallPlainFileIsRefusedUnreadAndKeptAsBadAtTheFirstSave) {
    const std::pair<std::function<void()>, std::string> cases[] = {
        {[&] { fs::create_directories(path); }, "is a folder"},
        {[&] { mkfifo(path.c_str(), 0600); }, "is not a regular file"},
        {[&] { fs::create_symlink("settings.toml", path); }, "is not a regular file"},
        {[&] {
             std::ofstream(path) << "sparse";
             fs::resize_file(path, 2u << 20);
         },
         "is 2097152 bytes; the game reads at most 1048576"},
    };
    for (const auto& [makeIt, problem] : cases) {
        SCOPED_TRACE(problem);
        fs::remove_all(folder + "/pellowick");
        fs::create_directories(folder + "/pellowick");
        makeIt();
        ErrCapture errors;
        SettingsFile file(path);
        EXPECT_EQ(file.load(), Settings());
        EXPECT_EQ(errors.text(), path + ": " + problem + "; the default settings are used" + keptNote());
        Settings muted;
        muted.audio = false;
        ASSERT_TRUE(file.save(muted));
        EXPECT_TRUE(fs::exists(fs::symlink_status(path + ".bad")));
        EXPECT_EQ(SettingsFile(path).load(), muted);
    }
}

TEST_F(SettingsFileTest, SavingThroughALinkChangesTheLinkedFileAndTheLinkStays) {
    fs::create_directories(folder + "/dotfiles");
    fs::create_directories(folder + "/pellowick");
    fs::create_symlink("../dotfiles/settings.toml", path); // nothing behind it before the first save
    ErrCapture errors;
    SettingsFile file(path);
    Settings settings = file.load();
    settings.audio = false;
    ASSERT_TRUE(file.save(settings));
    settings.windowSize = {1000, 750};
    ASSERT_TRUE(file.save(settings));
    EXPECT_TRUE(fs::is_symlink(path));
    EXPECT_EQ(SettingsFile(folder + "/dotfiles/settings.toml").load(), settings);
    EXPECT_FALSE(fs::exists(path + ".tmp") || fs::exists(folder + "/dotfiles/settings.toml.tmp"));
    EXPECT_EQ(errors.text(), "");
}

TEST_F(SettingsFileTest, TwoRunningGamesKeepEachOthersChanges) {
    SettingsFile first(path);
    SettingsFile second(path);
    Settings mine = first.load();
    Settings theirs = second.load();
    mine.audio = false;
    ASSERT_TRUE(first.save(mine));
    theirs.windowSize = {1000, 750};
    theirs.keys["RIGHT"] = sf::Keyboard::Left;
    ASSERT_TRUE(second.save(theirs));
    // A key bound twice by the two games: the latest choice takes its whole key set along.
    mine.fullscreen = true;
    mine.keys["LEFT"] = sf::Keyboard::Left;
    ASSERT_TRUE(first.save(mine));

    Settings both = mine;
    both.windowSize = {1000, 750};
    EXPECT_EQ(SettingsFile(path).load(), both);
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

TEST_F(SettingsFileTest, AFailedWriteNamesTheReasonAndLeavesNoTemporaryFile) {
    Settings old;
    old.windowSize = {1000, 750};
    ASSERT_TRUE(SettingsFile(path).save(old));
    // A full disk, as this process sees it: no file may grow past a few bytes.
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit before = limit;
    limit.rlim_cur = 16;
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limit);
    ErrCapture errors;
    Settings next;
    next.audio = false;
    const bool saved = SettingsFile(path).save(next);
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(saved);
    EXPECT_EQ(errors.text(),
              "Pellowick: cannot save the settings: cannot write " + path + ".tmp: File too large\n");
    EXPECT_FALSE(fs::exists(path + ".tmp"));
    EXPECT_EQ(SettingsFile(path).load(), old);
}

TEST_F(SettingsFileTest, NowhereToSaveIsOneLineAtTheFirstChangeAndNoMore) {
    std::ofstream(folder + "/blocker") << "a file, not a folder";
    const std::pair<std::string, std::string> cases[] = {
        {"", "neither XDG_CONFIG_HOME nor HOME is set"},
        {folder + "/blocker/pellowick/settings.toml",
         "cannot create the folder " + folder + "/blocker/pellowick: Not a directory"},
    };
    for (const auto& [where, problem] : cases) {
        ErrCapture errors;
        SettingsFile file(where);
        Settings settings = file.load();
        EXPECT_EQ(errors.text(), "");
        settings.audio = false;
        EXPECT_FALSE(file.save(settings));
        settings.audio = true;
        EXPECT_FALSE(file.save(settings));
        EXPECT_EQ(errors.text(),
                  "Pellowick: cannot save the settings: " + problem + "; changes are not kept\n");
    }
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
