#include "map/MedalTimes.hpp"

#include "i18n/Translator.hpp"
#include "map/LevelSchema.hpp"
#include "map/PropertyLookup.hpp"

#include <cmath>

namespace {
// The time as the clock shows it: cut to tenths, so a run shown as 0:40.0 earns a 40-second medal.
double shownTime(double seconds) {
    return std::floor(seconds * 10.0 + 1e-6) / 10.0;
}
} // namespace

std::optional<MedalTimes> MedalTimes::of(const TileMap& map) {
    const std::optional<double> gold = PropertyLookup::numberIn(map.property(LevelSchema::kGoldTime));
    const std::optional<double> silver = PropertyLookup::numberIn(map.property(LevelSchema::kSilverTime));
    const std::optional<double> bronze = PropertyLookup::numberIn(map.property(LevelSchema::kBronzeTime));
    if (!gold || !silver || !bronze) {
        return std::nullopt;
    }
    MedalTimes times;
    times.gold = *gold;
    times.silver = *silver;
    times.bronze = *bronze;
    if (!times.valid()) {
        return std::nullopt;
    }
    return times;
}

bool MedalTimes::valid() const {
    return gold >= LevelSchema::kShortestMedalTime && LevelSchema::medalTimesApart(gold, silver) &&
           LevelSchema::medalTimesApart(silver, bronze) && bronze <= LevelSchema::kLongestMedalTime;
}

MedalTimes::Medal MedalTimes::medalFor(double seconds) const {
    const double shown = shownTime(seconds);
    for (const Medal medal : {Medal::Gold, Medal::Silver, Medal::Bronze}) {
        if (shown <= limitOf(medal) + 1e-9) {
            return medal;
        }
    }
    return Medal::None;
}

std::optional<MedalTimes::Medal> MedalTimes::nextMedal(double seconds) const {
    const Medal earned = medalFor(seconds);
    if (earned == Medal::Gold) {
        return std::nullopt;
    }
    return static_cast<Medal>(static_cast<int>(earned) + 1);
}

double MedalTimes::limitOf(Medal medal) const {
    switch (medal) {
    case Medal::Gold:
        return gold;
    case Medal::Silver:
        return silver;
    case Medal::Bronze:
        return bronze;
    case Medal::None:
        break;
    }
    return 0.0;
}

std::string MedalTimes::titleOf(Medal medal) {
    switch (medal) {
    case Medal::Gold:
        return "Gold";
    case Medal::Silver:
        return "Silver";
    case Medal::Bronze:
        return "Bronze";
    case Medal::None:
        break;
    }
    return "No";
}

std::string MedalTimes::medalText(Medal medal) {
    // TRANSLATORS: a medal's name on the end screen's card (about 16 letters) and in the level list.
    switch (medal) {
    case Medal::Gold:
        return tr("Gold medal");
    case Medal::Silver:
        return tr("Silver medal");
    case Medal::Bronze:
        return tr("Bronze medal");
    case Medal::None:
        break;
    }
    return "";
}
