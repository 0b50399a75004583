#include "storage/SettingTable.hpp"

#include "i18n/Translator.hpp"
#include "storage/Settings.hpp"

#include <algorithm>

namespace {
using Row = SettingTable::Row;
using Value = SettingTable::Value;
using Kind = SettingTable::Kind;
using Control = SettingTable::Control;

template <bool Settings::*Field> Row switchRow(std::string path, Control control, std::string label) {
    Row row;
    row.path = std::move(path);
    row.kind = Kind::Switch;
    row.control = control;
    row.label = std::move(label);
    row.get = [](const Settings& settings) -> Value { return settings.*Field; };
    row.set = [](Settings& settings, const Value& value) { settings.*Field = std::get<bool>(value); };
    return row;
}

template <int Settings::*Field>
Row numberRow(std::string path, Control control, std::string label, int least, int most, int step) {
    Row row;
    row.path = std::move(path);
    row.kind = Kind::Number;
    row.control = control;
    row.label = std::move(label);
    row.least = least;
    row.most = most;
    row.step = step;
    row.get = [](const Settings& settings) -> Value { return settings.*Field; };
    row.set = [](Settings& settings, const Value& value) { settings.*Field = std::get<int>(value); };
    return row;
}

// Larger than any screen; a bigger number is a typing mistake.
const int kMaxWindowSide = 16384;

Row windowSide(std::string path, unsigned sf::Vector2u::*side) {
    Row row;
    row.path = std::move(path);
    row.kind = Kind::Number;
    row.least = 1;
    row.most = kMaxWindowSide;
    // A lambda cannot capture the side and still be a plain function: one of each.
    if (side == &sf::Vector2u::x) {
        row.get = [](const Settings& settings) -> Value { return static_cast<int>(settings.windowSize.x); };
        row.set = [](Settings& settings, const Value& value) {
            settings.windowSize.x = static_cast<unsigned>(std::get<int>(value));
        };
    } else {
        row.get = [](const Settings& settings) -> Value { return static_cast<int>(settings.windowSize.y); };
        row.set = [](Settings& settings, const Value& value) {
            settings.windowSize.y = static_cast<unsigned>(std::get<int>(value));
        };
    }
    return row;
}

Row difficultyRow() {
    Row row;
    row.path = "game.difficulty";
    row.kind = Kind::Choice;
    row.control = Control::Choice;
    // TRANSLATORS: an Options button shows "Difficulty: Normal" in about 18 letters.
    row.label = N_("Difficulty");
    for (const Difficulty level : Difficulties::all()) {
        row.choices.emplace_back(Difficulties::nameOf(level), Difficulties::titleOf(level));
    }
    row.get = [](const Settings& settings) -> Value { return Difficulties::nameOf(settings.difficulty); };
    row.set = [](Settings& settings, const Value& value) {
        settings.difficulty = Difficulties::named(std::get<std::string>(value)).value_or(Difficulty::Normal);
    };
    return row;
}

Row languageRow() {
    Row row;
    row.path = "game.language";
    row.kind = Kind::Choice;
    row.control = Control::Choice;
    // TRANSLATORS: an Options button shows "Language: Deutsch" in about 18 letters.
    row.label = N_("Language");
    // TRANSLATORS: the language choice that follows the system's language.
    row.choices = {{"system", N_("System")},
                   {"en", "English"},
                   {"de", "Deutsch"},
                   {"fr", "Français"},
                   {"es", "Español"}};
    row.choicesNameThemselves = true;
    row.effect = SettingTable::Effect::Language;
    row.get = [](const Settings& settings) -> Value { return settings.language; };
    row.set = [](Settings& settings, const Value& value) {
        settings.language = std::get<std::string>(value);
    };
    return row;
}

std::vector<Row> makeRows() {
    std::vector<Row> rows;
    rows.push_back(numberRow<&Settings::musicVolume>("audio.music", Control::Slider, N_("Music"), 0,
                                                     Settings::kMostVolume, 5));
    rows.back().effect = SettingTable::Effect::Volumes;
    rows.push_back(numberRow<&Settings::effectsVolume>("audio.effects", Control::Slider, N_("Effects"), 0,
                                                       Settings::kMostVolume, 5));
    rows.back().effect = SettingTable::Effect::Volumes;
    // The menu's own audio box shows this one.
    rows.push_back(switchRow<&Settings::audio>("audio.enabled", Control::None, N_("Audio")));
    rows.push_back(difficultyRow());
    // Slows the whole level alike, for players who need more time; wins below full speed are kept as
    // assisted.
    rows.push_back(
        numberRow<&Settings::gameSpeed>("game.game_speed", Control::Slider, N_("Game speed"), 50, 100, 10));
    rows.push_back(languageRow());
    rows.push_back(
        switchRow<&Settings::fullscreen>("window.fullscreen", Control::CheckBox, N_("Fullscreen")));
    rows.back().effect = SettingTable::Effect::Window;
    rows.push_back(switchRow<&Settings::showSight>("game.show_sight", Control::CheckBox, N_("Show sight")));
    rows.push_back(switchRow<&Settings::showGhost>("game.show_ghost", Control::CheckBox, N_("Show ghost")));
    rows.push_back(switchRow<&Settings::rumble>("pad.rumble", Control::CheckBox, N_("Rumble")));
    rows.push_back(switchRow<&Settings::openAllLevels>("game.open_all_levels", Control::CheckBox,
                                                       N_("Open every level")));
    // The window's size is kept as the player leaves it, never chosen in Options.
    rows.push_back(windowSide("window.width", &sf::Vector2u::x));
    rows.push_back(windowSide("window.height", &sf::Vector2u::y));
    return rows;
}
} // namespace

const std::vector<SettingTable::Row>& SettingTable::rows() {
    static const std::vector<Row> table = makeRows();
    return table;
}

const SettingTable::Row* SettingTable::find(const std::string& path) {
    const auto& table = rows();
    const auto found =
        std::find_if(table.begin(), table.end(), [&](const Row& row) { return row.path == path; });
    return found != table.end() ? &*found : nullptr;
}

bool SettingTable::accepts(const Row& row, const Value& value) {
    switch (row.kind) {
    case Kind::Switch:
        return std::holds_alternative<bool>(value);
    case Kind::Number:
        return std::holds_alternative<int>(value) && std::get<int>(value) >= row.least &&
               std::get<int>(value) <= row.most;
    default:
        return std::holds_alternative<std::string>(value) &&
               std::any_of(row.choices.begin(), row.choices.end(),
                           [&](const auto& choice) { return choice.first == std::get<std::string>(value); });
    }
}

std::string SettingTable::written(const Value& value) {
    if (const bool* on = std::get_if<bool>(&value)) {
        return *on ? "true" : "false";
    }
    if (const int* number = std::get_if<int>(&value)) {
        return std::to_string(*number);
    }
    return "\"" + std::get<std::string>(value) + "\"";
}
