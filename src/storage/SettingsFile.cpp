#include "storage/SettingsFile.hpp"

#include "app/Letterbox.hpp"
#include "common/FileCheck.hpp"
#include "input/KeyNames.hpp"
#include "input/PadNames.hpp"
#include "storage/AtomicFile.hpp"
#include "storage/UserFolders.hpp"

#include <SFML/System/Err.hpp>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <set>
#include <sstream>
#include <toml++/toml.h>

namespace fs = std::filesystem;

namespace {
using Report = std::function<void(std::size_t line, const std::string& problem)>;

// Larger than any screen; a bigger number is a typing mistake.
const std::int64_t kMaxWindowSide = 16384;
// Enough of a name for the player to find it in the file; a runaway one would flood the terminal.
const std::size_t kLongestQuotedName = 32;
const std::size_t kLongestParserMessage = 160;

std::size_t lineOf(const toml::node& node) {
    return static_cast<std::size_t>(node.source().begin.line);
}

// A parser's message may quote a line break it saw; the error stays one line.
std::string onOneLine(std::string_view text) {
    std::string line;
    for (const char c : text) {
        if (c == '\n') {
            line += "\\n";
        } else if (c == '\r') {
            line += "\\r";
        } else if (c == '\t') {
            line += "\\t";
        } else {
            line += c;
        }
    }
    return line;
}

std::string shortened(std::string_view text, std::size_t longest = kLongestQuotedName) {
    const std::string line = onOneLine(text.substr(0, longest + 1));
    return text.size() > longest ? line.substr(0, longest) + "..." : line;
}

std::string yesNo(bool value) {
    return value ? "true" : "false";
}

void readVolume(const toml::table& file, const char* name, int& volume, const Report& report) {
    const toml::node* node = file.at_path(std::string("audio.") + name).node();
    if (!node) {
        return;
    }
    if (!node->is_integer() || node->as_integer()->get() < 0 ||
        node->as_integer()->get() > Settings::kMostVolume) {
        report(lineOf(*node), std::string("audio.") + name + " must be a whole number from 0 to " +
                                  std::to_string(Settings::kMostVolume) + "; using " +
                                  std::to_string(volume));
        return;
    }
    volume = static_cast<int>(node->as_integer()->get());
}

void readSwitch(const toml::table& file, const std::string& path, bool& value, const Report& report) {
    if (const toml::node* node = file.at_path(path).node()) {
        if (node->is_boolean()) {
            value = node->as_boolean()->get();
        } else {
            report(lineOf(*node), path + " must be true or false; using " + yesNo(value));
        }
    }
}

// A file from before the volumes has only "enabled": both volumes then stay at their default.
void readAudio(const toml::table& file, Settings& settings, const Report& report) {
    readVolume(file, "music", settings.musicVolume, report);
    readVolume(file, "effects", settings.effectsVolume, report);
    readSwitch(file, "audio.enabled", settings.audio, report);
}

void readGame(const toml::table& file, Settings& settings, const Report& report) {
    readSwitch(file, "game.show_sight", settings.showSight, report);
    readSwitch(file, "game.show_ghost", settings.showGhost, report);
    const toml::node* node = file.at_path("game.difficulty").node();
    if (!node) {
        return;
    }
    const auto level = node->is_string() ? Settings::difficultyNamed(node->as_string()->get()) : std::nullopt;
    if (!level) {
        report(lineOf(*node), "game.difficulty must be \"easy\", \"normal\" or \"hard\"; using \"" +
                                  Settings::nameOf(settings.difficulty) + "\"");
        return;
    }
    settings.difficulty = *level;
}

void readWindow(const toml::table& file, Settings& settings, const Report& report) {
    if (const toml::node* fullscreen = file.at_path("window.fullscreen").node()) {
        if (fullscreen->is_boolean()) {
            settings.fullscreen = fullscreen->as_boolean()->get();
        } else {
            report(lineOf(*fullscreen), "window.fullscreen must be true or false; using false");
        }
    }
    const char* const sides[] = {"width", "height"};
    unsigned* const values[] = {&settings.windowSize.x, &settings.windowSize.y};
    for (int i = 0; i < 2; ++i) {
        const toml::node* side = file.at_path(std::string("window.") + sides[i]).node();
        if (!side) {
            continue;
        }
        if (!side->is_integer() || side->as_integer()->get() < 1 ||
            side->as_integer()->get() > kMaxWindowSide) {
            report(lineOf(*side), std::string("window.") + sides[i] + " must be a whole number from 1 to " +
                                      std::to_string(kMaxWindowSide) + "; using " +
                                      std::to_string(*values[i]));
            continue;
        }
        *values[i] = static_cast<unsigned>(side->as_integer()->get());
    }
    settings.windowSize = Letterbox::heldToMinimum(settings.windowSize);
}

struct FileBinding {
    std::string action;
    sf::Keyboard::Key key;
    std::size_t line;
};

std::vector<FileBinding> readBindings(const toml::table& file, const Report& report) {
    const toml::node* keys = file.get("keys");
    if (!keys) {
        return {};
    }
    if (!keys->is_table()) {
        report(lineOf(*keys), "keys must be a table of actions and key names; using the default keys");
        return {};
    }
    std::vector<FileBinding> bindings;
    for (auto&& [name, value] : *keys->as_table()) {
        const std::string action(name.str());
        const std::size_t line = lineOf(value);
        if (Settings::defaultKey(action) == sf::Keyboard::Unknown) {
            report(line, "keys." + shortened(action) + ": there is no such action; ignored");
            continue;
        }
        const std::string fallback = "using " + KeyNames::nameOf(Settings::defaultKey(action));
        if (!value.is_string()) {
            report(line, "keys." + action + " must be a key name in quotes; " + fallback);
            continue;
        }
        const std::string keyName = value.as_string()->get();
        const auto key = KeyNames::keyNamed(keyName);
        if (!key) {
            report(line, "keys." + action + ": unknown key name \"" + shortened(keyName) + "\"; " + fallback);
            continue;
        }
        if (!KeyNames::keptByTheGame(*key).empty()) {
            report(line, "keys." + action + ": " + keyName + " " + KeyNames::keptByTheGame(*key) +
                             " and cannot be bound; " + fallback);
            continue;
        }
        bindings.push_back({action, *key, line});
    }
    std::sort(bindings.begin(), bindings.end(),
              [](const FileBinding& a, const FileBinding& b) { return a.line < b.line; });
    return bindings;
}

// The first binding that takes a key already held by another action: one left at its default, or one
// bound on an earlier line. Null when every key is bound once.
const FileBinding* firstDuplicate(const std::vector<FileBinding>& bindings, const Settings& settings,
                                  std::string& holder) {
    for (const FileBinding& binding : bindings) {
        for (const std::string& other : Settings::actions()) {
            if (other == binding.action || settings.key(other) != binding.key) {
                continue;
            }
            const auto otherBinding = std::find_if(bindings.begin(), bindings.end(),
                                                   [&](const FileBinding& b) { return b.action == other; });
            if (otherBinding == bindings.end() || otherBinding->line < binding.line) {
                holder = other;
                return &binding;
            }
        }
    }
    return nullptr;
}

void readKeys(const toml::table& file, Settings& settings, const Report& report) {
    std::vector<FileBinding> bindings = readBindings(file, report);
    for (;;) {
        Settings bound;
        for (const FileBinding& binding : bindings) {
            bound.keys[binding.action] = binding.key;
        }
        std::string holder;
        const FileBinding* duplicate = firstDuplicate(bindings, bound, holder);
        if (!duplicate) {
            settings.keys = bound.keys;
            return;
        }
        // The binding gives way to its default, which may in turn take another's key: look again.
        report(duplicate->line, "keys." + duplicate->action + ": " + KeyNames::nameOf(duplicate->key) +
                                    " is already bound to " + holder + "; using " +
                                    KeyNames::nameOf(Settings::defaultKey(duplicate->action)));
        bindings.erase(bindings.begin() + (duplicate - bindings.data()));
    }
}

void readRumble(const toml::node& value, Settings& settings, const Report& report) {
    if (value.is_boolean()) {
        settings.rumble = value.as_boolean()->get();
    } else {
        report(lineOf(value), "pad.rumble must be true or false; using true");
    }
}

// The button a pad entry names: SDL's name ("a", "leftshoulder"), or a number as older files wrote it.
std::optional<SDL_GameControllerButton> padButtonOf(const toml::node& value) {
    if (value.is_string()) {
        return PadNames::fromSdlName(value.as_string()->get());
    }
    if (value.is_integer()) {
        return PadNames::fromOldNumber(value.as_integer()->get());
    }
    return std::nullopt;
}

// Pad buttons and the rumble. One button may serve several actions: its meaning depends on the screen (A
// lays in the level and continues in the pause), so no button is refused for being bound twice.
void readPad(const toml::table& file, Settings& settings, const Report& report) {
    const toml::node* pad = file.get("pad");
    if (!pad) {
        return;
    }
    if (!pad->is_table()) {
        report(lineOf(*pad), "pad must be a table of actions and button names; using the default buttons");
        return;
    }
    const auto& actions = Settings::padActions();
    // The table is in name order: report in the file's order.
    std::vector<std::pair<std::string, const toml::node*>> entries;
    for (auto&& [name, value] : *pad->as_table()) {
        entries.emplace_back(std::string(name.str()), &value);
    }
    std::sort(entries.begin(), entries.end(),
              [](const auto& a, const auto& b) { return lineOf(*a.second) < lineOf(*b.second); });
    for (const auto& [action, node] : entries) {
        if (action == "rumble") {
            readRumble(*node, settings, report);
            continue;
        }
        if (std::find(actions.begin(), actions.end(), action) == actions.end()) {
            report(lineOf(*node), "pad." + shortened(action) + ": there is no such action; ignored");
            continue;
        }
        const std::optional<SDL_GameControllerButton> button = padButtonOf(*node);
        if (!button) {
            report(lineOf(*node), "pad." + action +
                                      " must be a button by SDL's name (a, b, x, y, leftshoulder, start...); "
                                      "using " +
                                      PadNames::sdlName(Settings::defaultPadButton(action)));
            continue;
        }
        settings.padButtons[action] = *button;
    }
}

void readTable(const toml::table& file, Settings& settings, const Report& report) {
    readAudio(file, settings, report);
    readGame(file, settings, report);
    readWindow(file, settings, report);
    readKeys(file, settings, report);
    readPad(file, settings, report);
}

void readText(const std::string& text, const std::string& path, Settings& settings, const Report& report) {
    toml::table file;
    try {
        file = toml::parse(text, path);
    } catch (const toml::parse_error& problem) {
        report(static_cast<std::size_t>(problem.source().begin.line),
               shortened(problem.description(), kLongestParserMessage) + "; the default settings are used");
        return;
    }
    readTable(file, settings, report);
}

toml::table toTable(const Settings& settings) {
    toml::table keys;
    for (const std::string& action : Settings::actions()) {
        keys.insert(action, KeyNames::nameOf(settings.key(action)));
    }
    const toml::table window{{"fullscreen", settings.fullscreen},
                             {"width", static_cast<std::int64_t>(settings.windowSize.x)},
                             {"height", static_cast<std::int64_t>(settings.windowSize.y)}};
    toml::table pad;
    for (const std::string& action : Settings::padActions()) {
        pad.insert(action, PadNames::sdlName(settings.padButton(action)));
    }
    pad.insert("rumble", settings.rumble);
    const toml::table audio{{"enabled", settings.audio},
                            {"music", static_cast<std::int64_t>(settings.musicVolume)},
                            {"effects", static_cast<std::int64_t>(settings.effectsVolume)}};
    return toml::table{{"audio", audio},
                       {"game", toml::table{{"difficulty", Settings::nameOf(settings.difficulty)},
                                            {"show_sight", settings.showSight},
                                            {"show_ghost", settings.showGhost}}},
                       {"window", window},
                       {"keys", keys},
                       {"pad", pad}};
}

// Puts into `target` every entry of `after` that is not the same in `before`, at any depth.
void copyChanges(const toml::table& before, const toml::table& after, toml::table& target) {
    for (auto&& [name, value] : after) {
        const toml::node* old = before.get(name);
        if (!value.is_table()) {
            if (toml::node_view<const toml::node>(old) != toml::node_view<const toml::node>(&value)) {
                target.insert_or_assign(name, value);
            }
            continue;
        }
        if (!target.get_as<toml::table>(name)) {
            target.insert_or_assign(name, toml::table{});
        }
        const toml::table* oldTable = old ? old->as_table() : nullptr;
        copyChanges(oldTable ? *oldTable : toml::table{}, *value.as_table(),
                    *target.get_as<toml::table>(name));
    }
}

bool bindsAKeyTwice(const Settings& settings) {
    std::set<sf::Keyboard::Key> taken;
    for (const std::string& action : Settings::actions()) {
        if (!taken.insert(settings.key(action)).second) {
            return true;
        }
    }
    return false;
}
} // namespace

SettingsFile::SettingsFile(std::string path) : filePath(std::move(path)) {}

std::string SettingsFile::defaultPath() {
    return UserFolders::config("settings.toml");
}

void SettingsFile::report(std::size_t line, const std::string& problem) {
    keepBadCopy = true;
    sf::err() << filePath;
    if (line > 0) {
        sf::err() << ":" << line;
    }
    sf::err() << ": " << problem << " (the file will be kept as " << fs::path(filePath).filename().string()
              << ".bad when a setting is saved)" << std::endl;
}

Settings SettingsFile::load() {
    const Report reportHere = [this](std::size_t line, const std::string& problem) { report(line, problem); };
    known = read(filePath, reportHere);
    return *known;
}

Settings SettingsFile::read(const std::string& file, const Report& reportHere) const {
    Settings settings;
    std::error_code error;
    if (file.empty() || fs::status(file, error).type() == fs::file_type::not_found) {
        return settings;
    }
    std::string text;
    const std::string problem = FileCheck::read(file, FileCheck::kLargestSettings, text);
    if (!problem.empty()) {
        reportHere(0, problem + "; the default settings are used");
        return settings;
    }
    readText(text, filePath, settings, reportHere);
    return settings;
}

Settings SettingsFile::withThisRunsChanges(const Settings& onDisk, const Settings& settings) const {
    if (!known) {
        return settings;
    }
    toml::table merged = toTable(onDisk);
    copyChanges(toTable(*known), toTable(settings), merged);
    Settings result;
    readTable(merged, result, [](std::size_t, const std::string&) {});
    if (bindsAKeyTwice(result)) {
        // This run's key and the other game's clash: the latest choice brings the keys it was made with.
        result.keys = settings.keys;
    }
    return result;
}

std::string SettingsFile::toText(const Settings& settings) {
    std::ostringstream text;
    text << "# Pellowick's settings, saved by the game whenever one changes.\n\n"
         << toTable(settings) << "\n";
    return text.str();
}

void SettingsFile::cannotSave(const std::string& problem, bool onceOnly) {
    if (onceOnly && toldNowhereToSave) {
        return;
    }
    toldNowhereToSave = toldNowhereToSave || onceOnly;
    sf::err() << "Pellowick: cannot save the settings: " << problem
              << (onceOnly ? "; changes are not kept" : "") << std::endl;
}

bool SettingsFile::makeFolder() {
    if (filePath.empty()) {
        cannotSave("neither XDG_CONFIG_HOME nor HOME is set", true);
        return false;
    }
    savedFile = AtomicFile::target(filePath);
    std::string problem;
    if (!AtomicFile::makeFolder(savedFile, problem)) {
        cannotSave(problem, true);
        return false;
    }
    return true;
}

bool SettingsFile::save(const Settings& settings) {
    return writeNewFile(settings) && replaceOldFile();
}

bool SettingsFile::writeNewFile(const Settings& settings) {
    if (!makeFolder()) {
        return false;
    }
    // Read again: another running game may have saved its own changes since.
    bool problems = false;
    const Settings onDisk =
        read(savedFile, [&problems](std::size_t, const std::string&) { problems = true; });
    keepBadCopy = problems;
    std::string problem;
    AtomicFile::discard(newFile); // a new file written by an earlier call that was never renamed
    if (!AtomicFile::writeBeside(savedFile, toText(withThisRunsChanges(onDisk, settings)), newFile,
                                 problem)) {
        cannotSave(problem, false);
        return false;
    }
    beingSaved = settings;
    return true;
}

bool SettingsFile::replaceOldFile() {
    std::string problem;
    // The player's own file is not overwritten before it has been kept.
    if (keepBadCopy && !AtomicFile::keepAsBad(savedFile, problem)) {
        AtomicFile::discard(newFile);
        newFile.clear();
        cannotSave(problem, false);
        return false;
    }
    keepBadCopy = false;
    const bool replaced = AtomicFile::replaceWithNew(newFile, savedFile, problem);
    newFile.clear();
    if (!replaced) {
        cannotSave(problem, false);
        return false;
    }
    known = beingSaved;
    return true;
}
