#include "storage/Difficulty.hpp"

#include "i18n/Translator.hpp"

std::string Difficulties::nameOf(Difficulty level) {
    switch (level) {
    case Difficulty::Easy:
        return "easy";
    case Difficulty::Hard:
        return "hard";
    default:
        return "normal";
    }
}

std::string Difficulties::titleOf(Difficulty level) {
    // In English: the screens that show it look it up in the catalog.
    switch (level) {
    case Difficulty::Easy:
        return N_("Easy");
    case Difficulty::Hard:
        return N_("Hard");
    default:
        return N_("Normal");
    }
}

const std::vector<Difficulty>& Difficulties::all() {
    static const std::vector<Difficulty> levels = {Difficulty::Easy, Difficulty::Normal, Difficulty::Hard};
    return levels;
}

std::optional<Difficulty> Difficulties::named(const std::string& name) {
    for (const Difficulty level : all()) {
        if (nameOf(level) == name) {
            return level;
        }
    }
    return std::nullopt;
}
