#pragma once

#include <string>
#include <utility>
#include <variant>
#include <vector>

class Settings;

// Every setting the player can change besides the keys and buttons (those are the action table's), one row
// each: where it lives in settings.toml, its field, its limits, and the Options control that shows it. The
// settings file's reader and writer, the comparison of two settings and the Options screen go through it;
// adding a setting is adding its row (and the code that uses it).
class SettingTable {
public:
    enum class Kind { Switch, Number, Choice };
    enum class Control { None, CheckBox, Slider, Choice };
    // What else a change made in Options does, besides being saved.
    enum class Effect { None, Volumes, Window, Language };
    using Value = std::variant<bool, int, std::string>;

    struct Row {
        // "game.show_sight": the table and the entry in settings.toml.
        std::string path;
        Kind kind = Kind::Switch;
        Control control = Control::None;
        // The Options control's words in English, looked up in the catalog where shown: "Show sight".
        std::string label;
        // A number's limits, and the slider's step.
        int least = 0;
        int most = 0;
        int step = 1;
        // A choice's values as the file writes them, with the words Options shows for each.
        std::vector<std::pair<std::string, std::string>> choices;
        // Choices that are languages, each named in its own words and so never translated; the first
        // ("System") is.
        bool choicesNameThemselves = false;
        Effect effect = Effect::None;
        Value (*get)(const Settings&) = nullptr;
        void (*set)(Settings&, const Value&) = nullptr;
    };

    static const std::vector<Row>& rows();
    // Null for a path no row has.
    static const Row* find(const std::string& path);
    // Whether the value may be stored: of the row's kind, within its limits or among its choices.
    static bool accepts(const Row& row, const Value& value);
    // The value as the file and the messages write it: true, 100, "normal".
    static std::string written(const Value& value);
};
