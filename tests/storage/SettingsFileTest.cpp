#include "storage/SettingsFile.hpp"

#include "input/ActionTable.hpp"
#include "storage/SettingTable.hpp"
#include "support/ErrCapture.hpp"
#include "support/Files.hpp"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <variant>

namespace {
namespace fs = std::filesystem;
const std::string kKept = " (the file will be kept as settings.toml.bad when a setting is saved)\n";

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = makeTempFolder("settings");
        path = folder + "/pellowick/settings.toml";
    }
    void TearDown() override { fs::remove_all(folder); }

    void writeFile(const std::string& text) {
        fs::create_directories(folder + "/pellowick");
        std::ofstream(path) << text;
    }
    // The settings that a file holding `text` gives.
    Settings loaded(const std::string& text) {
        writeFile(text);
        return SettingsFile(path).load();
    }
    std::string folder;
    std::string path;
};

TEST_F(SettingsFileTest, AMissingFileMeansTheDefaultsAndAFileFromBeforeTheVolumesKeepsItsMute) {
    ErrCapture errors;
    EXPECT_EQ(SettingsFile(path).load(), Settings());
    EXPECT_FALSE(fs::exists(folder + "/pellowick")) << "reading writes nothing";
    // Muted stays muted, and unmuting brings back full volume.
    Settings old;
    old.audio = false;
    EXPECT_EQ(loaded("[audio]\nenabled = false\n"), old);
    EXPECT_EQ(errors.text(), "");
}

// A file with one bad entry, the line it gives on sf::err(), and a clean file that gives the same settings.
struct BadFile {
    const char* kind;
    const char* text;
    const char* line;
    const char* sameAs;
};

const BadFile kBadFiles[] = {
    {"bad TOML", "[audio]\nenabled = tru\n",
     ":2: Error while parsing boolean: expected 'true', saw 'tru\\n'; the default settings are used", ""},
    {"wrong type", "[audio]\nenabled = \"no\"\n[window]\nwidth = 1024\nheight = 768\n",
     ":2: audio.enabled must be true or false; using true", "[window]\nwidth = 1024\nheight = 768\n"},
    {"volume out of range", "[audio]\nmusic = 101\neffects = 40\n",
     ":2: audio.music must be a whole number from 0 to 100; using 100", "[audio]\neffects = 40\n"},
    {"sight not a flag", "[game]\nshow_sight = 1\nshow_ghost = false\n",
     ":2: game.show_sight must be true or false; using true", "[game]\nshow_ghost = false\n"},
    {"unknown difficulty", "[game]\ndifficulty = \"Hard\"\n",
     ":2: game.difficulty must be \"easy\", \"normal\" or \"hard\"; using \"normal\"", ""},
    {"unknown key name", "[keys]\nLEFT = \"Foo\"\nRIGHT = \"Right\"\n",
     ":2: keys.LEFT: unknown key name \"Foo\"; using A", "[keys]\nRIGHT = \"Right\"\n"},
    {"key bound to two actions", "[keys]\nLEFT = \"Left\"\nRIGHT = \"Left\"\n",
     ":3: keys.RIGHT: Left is already bound to LEFT; using D", "[keys]\nLEFT = \"Left\"\n"},
    {"a saved key beats a default", "[keys]\nUP = \"S\"\n",
     ": keys.DOWN: its key S is bound to UP; DOWN is not bound", "[keys]\nUP = \"S\"\nDOWN = \"\"\n"},
    // Only Alt+Enter is the game's own: Enter alone may be bound.
    {"key the game keeps", "[keys]\nPAUSE = \"F11\"\nLAY = \"Enter\"\n",
     ":2: keys.PAUSE: F11 switches between the window and fullscreen and cannot be bound; using Escape",
     "[keys]\nLAY = \"Enter\"\n"},
};

TEST_F(SettingsFileTest, EachBadEntryIsOneLineAndFallsBackToItsDefault) {
    for (const BadFile& bad : kBadFiles) {
        SCOPED_TRACE(bad.kind);
        ErrCapture errors;
        const Settings expected = loaded(bad.sameAs);
        ASSERT_EQ(errors.text(), "");
        writeFile(bad.text);
        SettingsFile file(path);
        EXPECT_EQ(file.load(), expected);
        EXPECT_EQ(errors.text(), path + bad.line + kKept);
        // The player's file is kept at the first save; later saves replace the new file alone.
        fs::remove(path + ".bad");
        ASSERT_TRUE(file.save(expected) && file.save(Settings()));
        EXPECT_EQ(readWholeFile(path + ".bad"), bad.text);
    }

    // Swapping two keys is no clash.
    ErrCapture errors;
    const Settings swapped = loaded("[keys]\nLEFT = \"D\"\nRIGHT = \"A\"\n");
    EXPECT_EQ(errors.text(), "");
    EXPECT_EQ(swapped.key("LEFT"), sf::Keyboard::D);
    EXPECT_EQ(swapped.key("RIGHT"), sf::Keyboard::A);

    // Endless names are quoted only as far as a player needs to find them.
    loaded("[keys]\nLEFT = \"" + std::string(5000, 'x') + "\"\n" + std::string(5000, 'y') + " = \"B\"\n");
    EXPECT_EQ(errors.text(), path + ":2: keys.LEFT: unknown key name \"" + std::string(32, 'x') +
                                 "...\"; using A" + kKept + path + ":3: keys." + std::string(32, 'y') +
                                 "...: there is no such action; ignored" + kKept);
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
        EXPECT_EQ(errors.text(), path + ": " + problem + "; the default settings are used" + kKept);
        Settings muted;
        muted.audio = false;
        ASSERT_TRUE(file.save(muted));
        EXPECT_TRUE(fs::exists(fs::symlink_status(path + ".bad")));
        EXPECT_EQ(SettingsFile(path).load(), muted);
    }
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

// The game may stop between writing the new file and renaming it, or the disk may be full.
TEST_F(SettingsFileTest, ASaveThatDoesNotCompleteLeavesTheOldFileWholeAndNowhereToSaveIsOneLine) {
    Settings old;
    old.windowSize = {1000, 750};
    ASSERT_TRUE(SettingsFile(path).save(old));
    const std::string oldText = readWholeFile(path);
    Settings next;
    next.audio = false;
    ASSERT_TRUE(SettingsFile(path).writeNewFile(next)); // the game stops here
    EXPECT_EQ(readWholeFile(path), oldText);
    const auto filesThere = [&] {
        return std::distance(fs::directory_iterator(folder + "/pellowick"), fs::directory_iterator());
    };
    EXPECT_EQ(filesThere(), 2) << "the old file and the new one";

    // A full disk, as this process sees it: no file may grow past a few bytes.
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit before = limit;
    limit.rlim_cur = 16;
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limit);
    ErrCapture errors;
    const bool saved = SettingsFile(path).save(next);
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(saved);
    EXPECT_EQ(errors.text(), "Pellowick: cannot save the settings: cannot write a new file beside " + path +
                                 ": File too large\n");
    EXPECT_EQ(filesThere(), 2) << "nothing more left behind";
    EXPECT_EQ(readWholeFile(path), oldText);

    ASSERT_TRUE(SettingsFile(path).save(next));
    EXPECT_EQ(SettingsFile(path).load(), next);

    // Nowhere to save is one line at the first change, and no more.
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

TEST_F(SettingsFileTest, TheFileLivesUnderAnAbsoluteXdgConfigHomeOrElseUnderHomeConfig) {
    const char* home = std::getenv("HOME");
    const std::string keptHome = home ? home : "";
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const std::string keptConfig = config ? config : "";
    setenv("HOME", folder.c_str(), 1);
    setenv("XDG_CONFIG_HOME", "/somewhere", 1);
    EXPECT_EQ(SettingsFile::defaultPath(), "/somewhere/pellowick/settings.toml");
    setenv("XDG_CONFIG_HOME", "relative/folder", 1);
    EXPECT_EQ(SettingsFile::defaultPath(), folder + "/.config/pellowick/settings.toml");
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(SettingsFile::defaultPath(), folder + "/.config/pellowick/settings.toml");
    unsetenv("HOME");
    EXPECT_EQ(SettingsFile::defaultPath(), "");

    home ? setenv("HOME", keptHome.c_str(), 1) : unsetenv("HOME");
    config ? setenv("XDG_CONFIG_HOME", keptConfig.c_str(), 1) : unsetenv("XDG_CONFIG_HOME");
}

// The tables every screen reads: an action without its words, or a setting the file loses, fails here.
TEST_F(SettingsFileTest, EveryActionHasItsWordsAndEverySettingRoundTripsThroughTheFile) {
    for (const ActionTable::Row& action : ActionTable::rows()) {
        SCOPED_TRACE(action.name);
        for (const std::string* words :
             {&action.help, &action.controls, &action.option, &action.pictureRow, &action.picture}) {
            EXPECT_FALSE(words->empty());
        }
        EXPECT_FALSE(action.keys.empty() && action.buttons.empty()) << "bound to nothing at first";
        EXPECT_NE(action.padScreens, 0u);
    }
    Settings changed;
    for (const SettingTable::Row& row : SettingTable::rows()) {
        const SettingTable::Value now = row.get(changed);
        if (row.kind == SettingTable::Kind::Switch) {
            row.set(changed, !std::get<bool>(now));
        } else if (row.kind == SettingTable::Kind::Number) {
            row.set(changed, std::get<int>(now) == row.most ? row.most - row.step : row.most);
        } else {
            row.set(changed, row.choices.back().first == std::get<std::string>(now)
                                 ? row.choices.front().first
                                 : row.choices.back().first);
        }
        EXPECT_NE(row.get(changed), now) << row.path;
    }
    changed.windowSize = {1024, 768}; // within the window's least size
    changed.keys = {
        {"LEFT", sf::Keyboard::Left},    {"RIGHT", sf::Keyboard::Right},  {"UP", sf::Keyboard::Up},
        {"DOWN", sf::Keyboard::Down},    {"LAY", sf::Keyboard::Space},    {"PAUSE", sf::Keyboard::F5},
        {"RESTART", sf::Keyboard::Num1}, {"MENU", sf::Keyboard::Numpad9}, {"SHOOT", sf::Keyboard::E}};
    ASSERT_TRUE(SettingsFile(path).save(changed));
    EXPECT_EQ(SettingsFile(path).load(), changed);
    EXPECT_FALSE(fs::exists(path + ".tmp"));
    const std::string text = readWholeFile(path);
    std::vector<std::string> entries = {"LAY = 'Space'", "PAUSE = 'F5'", "RESTART = 'Num1'"};
    for (const SettingTable::Row& row : SettingTable::rows()) {
        entries.push_back(row.path.substr(row.path.find('.') + 1) + " = ");
    }
    for (const std::string& entry : entries) {
        EXPECT_NE(text.find(entry), std::string::npos) << entry << " in\n" << text;
    }
}
} // namespace
