#include "storage/SettingsFile.hpp"

#include "app/Letterbox.hpp"
#include "common/FileCheck.hpp"
#include "i18n/Translator.hpp"
#include "input/ActionTable.hpp"
#include "input/KeyNames.hpp"
#include "input/PadNames.hpp"
#include "storage/AtomicFile.hpp"
#include "storage/SettingTable.hpp"
#include "storage/UserFolders.hpp"

#include <SFML/System/Err.hpp>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <toml++/toml.h>
#include <type_traits>
#include <variant>

namespace fs = std::filesystem;

namespace {
using Report = std::function<void(std::size_t line, const std::string& problem)>;

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

// "true or false", "a whole number from 0 to 100", "\"easy\", \"normal\" or \"hard\"".
std::string whatItTakes(const SettingTable::Row& row) {
    if (row.kind == SettingTable::Kind::Switch) {
        return tr("true or false");
    }
    if (row.kind == SettingTable::Kind::Number) {
        return fill(tr("a whole number from {1} to {2}"),
                    {std::to_string(row.least), std::to_string(row.most)});
    }
    std::string names;
    for (std::size_t i = 0; i < row.choices.size(); ++i) {
        names += (i == 0 ? "" : (i + 1 == row.choices.size() ? tr(" or ") : ", ")) +
                 ("\"" + row.choices[i].first + "\"");
    }
    return names;
}

// One entry of the settings table, as the file has it; a wrong one is named and keeps the default.
void readRow(const toml::table& file, const SettingTable::Row& row, Settings& settings,
             const Report& report) {
    const toml::node* node = file.at_path(row.path).node();
    if (!node) {
        return;
    }
    std::optional<SettingTable::Value> value;
    if (row.kind == SettingTable::Kind::Switch && node->is_boolean()) {
        value = node->as_boolean()->get();
    } else if (row.kind == SettingTable::Kind::Number && node->is_integer() &&
               node->as_integer()->get() >= row.least && node->as_integer()->get() <= row.most) {
        value = static_cast<int>(node->as_integer()->get());
    } else if (row.kind == SettingTable::Kind::Choice && node->is_string()) {
        value = node->as_string()->get();
    }
    if (value && SettingTable::accepts(row, *value)) {
        row.set(settings, *value);
        return;
    }
    report(lineOf(*node), fill(tr("{1} must be {2}; using {3}"),
                               {row.path, whatItTakes(row), SettingTable::written(row.get(settings))}));
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
        report(lineOf(*keys), tr("keys must be a table of actions and key names; using the default keys"));
        return {};
    }
    std::vector<FileBinding> bindings;
    for (auto&& [name, value] : *keys->as_table()) {
        const std::string action(name.str());
        const std::size_t line = lineOf(value);
        if (Settings::defaultKey(action) == sf::Keyboard::Unknown) {
            report(line, "keys." + shortened(action) + ": " + tr("there is no such action; ignored"));
            continue;
        }
        const std::string fallback = fill(tr("using {1}"), {KeyNames::nameOf(Settings::defaultKey(action))});
        if (!value.is_string()) {
            report(line, "keys." + action + tr(" must be a key name in quotes; ") + fallback);
            continue;
        }
        const std::string keyName = value.as_string()->get();
        if (keyName.empty()) {
            bindings.push_back({action, sf::Keyboard::Unknown, line}); // the player left it unbound
            continue;
        }
        const auto key = KeyNames::keyNamed(keyName);
        if (!key) {
            report(line, "keys." + action + ": " +
                             fill(tr("unknown key name \"{1}\"; "), {shortened(keyName)}) + fallback);
            continue;
        }
        if (!KeyNames::keptByTheGame(*key).empty()) {
            report(line, "keys." + action + ": " + fill(tr(KeyNames::keptByTheGame(*key)), {keyName}) +
                             tr(" and cannot be bound; ") + fallback);
            continue;
        }
        bindings.push_back({action, *key, line});
    }
    std::sort(bindings.begin(), bindings.end(),
              [](const FileBinding& a, const FileBinding& b) { return a.line < b.line; });
    return bindings;
}

std::string keyName(sf::Keyboard::Key key) {
    return key == sf::Keyboard::Unknown ? tr("nothing") : KeyNames::nameOf(key);
}

// The first of the action's default keys that no other action holds; Unknown when every one is taken.
sf::Keyboard::Key freeDefault(const std::string& action,
                              const std::map<std::string, sf::Keyboard::Key>& held) {
    const ActionTable::Row* row = ActionTable::find(action);
    for (const sf::Keyboard::Key key : row ? row->keys : std::vector<sf::Keyboard::Key>{}) {
        if (std::none_of(held.begin(), held.end(),
                         [key](const auto& entry) { return entry.second == key; })) {
            return key;
        }
    }
    return sf::Keyboard::Unknown;
}

// What the player bound in the file stays, line by line; a later line that takes a key an earlier one holds
// gives way. The actions the file leaves out take their first default no one holds, or none: a binding the
// player made always beats a default.
void readKeys(const toml::table& file, Settings& settings, const Report& report) {
    std::map<std::string, sf::Keyboard::Key> held;
    std::vector<FileBinding> refused;
    for (const FileBinding& binding : readBindings(file, report)) {
        const auto holder = std::find_if(held.begin(), held.end(), [&](const auto& entry) {
            return binding.key != sf::Keyboard::Unknown && entry.second == binding.key;
        });
        if (holder != held.end()) {
            refused.push_back(binding);
        } else {
            held[binding.action] = binding.key;
        }
    }
    for (const std::string& action : Settings::actions()) {
        if (held.count(action) > 0) {
            continue;
        }
        const sf::Keyboard::Key chosen = freeDefault(action, held);
        const sf::Keyboard::Key first = Settings::defaultKey(action);
        const auto refusal = std::find_if(refused.begin(), refused.end(), [&](const FileBinding& binding) {
            return binding.action == action;
        });
        if (refusal != refused.end()) {
            const auto holder = std::find_if(held.begin(), held.end(),
                                             [&](const auto& entry) { return entry.second == refusal->key; });
            report(refusal->line, "keys." + action + ": " +
                                      fill(tr("{1} is already bound to {2}; using {3}"),
                                           {KeyNames::nameOf(refusal->key), holder->first, keyName(chosen)}));
        } else if (chosen != first) {
            const auto holder = std::find_if(held.begin(), held.end(),
                                             [&](const auto& entry) { return entry.second == first; });
            report(0, "keys." + action + ": " +
                          fill(chosen == sf::Keyboard::Unknown
                                   ? tr("its key {1} is bound to {2}; {3} is not bound")
                                   : tr("its key {1} is bound to {2}; {3} takes {4}"),
                               {KeyNames::nameOf(first), holder->first, action, KeyNames::nameOf(chosen)}));
        }
        held[action] = chosen;
    }
    settings.keys = held;
}

// The button a pad entry names: SDL's name ("a", "leftshoulder"), or a number as older files wrote it.
std::optional<SDL_GameControllerButton> padButtonOf(const toml::node& value) {
    if (value.is_string() && value.as_string()->get().empty()) {
        return SDL_CONTROLLER_BUTTON_INVALID; // the player left it unbound
    }
    if (value.is_string()) {
        return PadNames::fromSdlName(value.as_string()->get());
    }
    if (value.is_integer()) {
        return PadNames::fromOldNumber(value.as_integer()->get());
    }
    return std::nullopt;
}

// An action the file leaves out whose default button the player gave to another action of the same screen
// takes its next free default, or none.
void giveWayToPlayersButtons(Settings& settings, const std::set<std::string>& bound, const Report& report) {
    for (const std::string& action : Settings::padActions()) {
        if (bound.count(action) > 0) {
            continue;
        }
        const ActionTable::Row* row = ActionTable::find(action);
        std::string holder;
        SDL_GameControllerButton chosen = SDL_CONTROLLER_BUTTON_INVALID;
        for (const SDL_GameControllerButton button : row->buttons) {
            const auto taken = std::find_if(bound.begin(), bound.end(), [&](const std::string& other) {
                return settings.padButton(other) == button && ActionTable::shareAScreen(other, action);
            });
            if (taken == bound.end()) {
                chosen = button;
                break;
            }
            holder = holder.empty() ? *taken : holder;
        }
        if (chosen != row->buttons.front()) {
            report(0, "pad." + action + ": " +
                          fill(chosen == SDL_CONTROLLER_BUTTON_INVALID
                                   ? tr("its button {1} is bound to {2}; {3} is not bound")
                                   : tr("its button {1} is bound to {2}; {3} takes {4}"),
                               {PadNames::sdlName(row->buttons.front()), holder, action,
                                chosen == SDL_CONTROLLER_BUTTON_INVALID ? "" : PadNames::sdlName(chosen)}));
        }
        settings.padButtons[action] = chosen;
    }
}

// Pad buttons and the rumble. One button may serve several actions: its meaning depends on the screen (A
// lays in the level and continues in the pause), so no button is refused for being bound twice.
void readPad(const toml::table& file, Settings& settings, const Report& report) {
    const toml::node* pad = file.get("pad");
    if (!pad) {
        return;
    }
    if (!pad->is_table()) {
        report(lineOf(*pad),
               tr("pad must be a table of actions and button names; using the default buttons"));
        return;
    }
    const auto& actions = Settings::padActions();
    std::set<std::string> bound;
    // The table is in name order: report in the file's order.
    std::vector<std::pair<std::string, const toml::node*>> entries;
    for (auto&& [name, value] : *pad->as_table()) {
        entries.emplace_back(std::string(name.str()), &value);
    }
    std::sort(entries.begin(), entries.end(),
              [](const auto& a, const auto& b) { return lineOf(*a.second) < lineOf(*b.second); });
    for (const auto& [action, node] : entries) {
        if (action == "rumble") {
            continue; // a setting of its own
        }
        if (std::find(actions.begin(), actions.end(), action) == actions.end()) {
            report(lineOf(*node), "pad." + shortened(action) + ": " + tr("there is no such action; ignored"));
            continue;
        }
        const std::optional<SDL_GameControllerButton> button = padButtonOf(*node);
        if (!button) {
            report(
                lineOf(*node),
                "pad." + action +
                    fill(
                        tr(" must be a button by SDL's name (a, b, x, y, leftshoulder, start...); using {1}"),
                        {PadNames::sdlName(Settings::defaultPadButton(action))}));
            continue;
        }
        settings.padButtons[action] = *button;
        bound.insert(action);
    }
    giveWayToPlayersButtons(settings, bound, report);
}

void readTable(const toml::table& file, Settings& settings, const Report& report) {
    // Every problem is told in the file's order, whichever part of the game reads it.
    std::vector<std::pair<std::size_t, std::string>> problems;
    const Report collect = [&problems](std::size_t line, const std::string& problem) {
        problems.emplace_back(line, problem);
    };
    for (const SettingTable::Row& row : SettingTable::rows()) {
        readRow(file, row, settings, collect);
    }
    settings.windowSize = Letterbox::heldToMinimum(settings.windowSize);
    readKeys(file, settings, collect);
    readPad(file, settings, collect);
    std::stable_sort(problems.begin(), problems.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [line, problem] : problems) {
        report(line, problem);
    }
}

void readText(const std::string& text, const std::string& path, Settings& settings, const Report& report) {
    toml::table file;
    try {
        file = toml::parse(text, path);
    } catch (const toml::parse_error& problem) {
        report(static_cast<std::size_t>(problem.source().begin.line),
               shortened(problem.description(), kLongestParserMessage) +
                   tr("; the default settings are used"));
        return;
    }
    readTable(file, settings, report);
}

toml::table toTable(const Settings& settings) {
    toml::table file;
    for (const SettingTable::Row& row : SettingTable::rows()) {
        const std::string part = row.path.substr(0, row.path.find('.'));
        const std::string entry = row.path.substr(row.path.find('.') + 1);
        if (!file.get_as<toml::table>(part)) {
            file.insert(part, toml::table{});
        }
        toml::table& table = *file.get_as<toml::table>(part);
        std::visit(
            [&](const auto& value) {
                using V = std::decay_t<decltype(value)>;
                if constexpr (std::is_same_v<V, int>) {
                    table.insert(entry, static_cast<std::int64_t>(value));
                } else {
                    table.insert(entry, value);
                }
            },
            row.get(settings));
    }
    toml::table keys;
    for (const std::string& action : Settings::actions()) {
        const sf::Keyboard::Key key = settings.key(action);
        keys.insert(action, key == sf::Keyboard::Unknown ? "" : KeyNames::nameOf(key));
    }
    file.insert("keys", keys);
    if (!file.get_as<toml::table>("pad")) {
        file.insert("pad", toml::table{});
    }
    toml::table& pad = *file.get_as<toml::table>("pad");
    for (const std::string& action : Settings::padActions()) {
        const SDL_GameControllerButton button = settings.padButton(action);
        pad.insert(action, button == SDL_CONTROLLER_BUTTON_INVALID ? "" : PadNames::sdlName(button));
    }
    return file;
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
        if (settings.key(action) != sf::Keyboard::Unknown && !taken.insert(settings.key(action)).second) {
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
    sf::err() << ": " << problem
              << fill(tr(" (the file will be kept as {1}.bad when a setting is saved)"),
                      {fs::path(filePath).filename().string()})
              << std::endl;
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
        reportHere(0, problem + tr("; the default settings are used"));
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
    sf::err() << "Pellowick: " << fill(tr("cannot save the settings: {1}"), {problem})
              << (onceOnly ? tr("; changes are not kept") : "") << std::endl;
}

bool SettingsFile::makeFolder() {
    if (filePath.empty()) {
        cannotSave(tr("neither XDG_CONFIG_HOME nor HOME is set"), true);
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
