#include "storage/Difficulty.hpp"

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
    std::string title = nameOf(level);
    title[0] = static_cast<char>(title[0] - 'a' + 'A');
    return title;
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
