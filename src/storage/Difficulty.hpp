#pragma once

#include <optional>
#include <string>
#include <vector>

// How hard the dogs are: Normal is the game as it always was. A header of its own, so the records, the
// ghosts and the dogs need not see every setting.
enum class Difficulty { Easy, Normal, Hard };

class Difficulties {
public:
    // "easy", "normal", "hard": the names the files use.
    static std::string nameOf(Difficulty level);
    static std::optional<Difficulty> named(const std::string& name);
    // "Easy", "Normal", "Hard": the names the screens show.
    static std::string titleOf(Difficulty level);
    // Easy, Normal and Hard, in that order.
    static const std::vector<Difficulty>& all();
};
