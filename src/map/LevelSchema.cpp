#include "map/LevelSchema.hpp"

#include "components/EnemyMovement.hpp"
#include "i18n/Translator.hpp"
#include "storage/Settings.hpp"

#include <algorithm>
#include <sstream>

namespace {

using Kind = LevelSchema::Kind;
using Property = LevelSchema::Property;
using ObjectType = LevelSchema::ObjectType;

// Places each property at its position and names it after that position, so a name and the position the
// game reads can never disagree.
class PropertyList {
public:
    PropertyList& at(std::size_t position, const std::string& key, Kind kind, const std::string& value,
                     const std::string& meaning) {
        if (list.size() <= position) {
            list.resize(position + 1);
        }
        list[position] = {std::to_string(position) + "_" + key, kind, value, meaning};
        return *this;
    }

    PropertyList& mustExceedZero(std::size_t position) {
        list[position].lowest = 0.0;
        list[position].lowestExcluded = true;
        return *this;
    }

    std::vector<Property> list;
};

std::string numberText(double value) {
    std::ostringstream text;
    text << value;
    return text.str();
}

// A number a designer may give one dog, read by name; without it the dog keeps `standard`.
Property dogTuning(const std::string& name, double standard, double lowest, double highest,
                   const std::string& meaning) {
    Property property{name, Kind::Number, numberText(standard), meaning};
    property.required = false;
    property.lowest = lowest;
    property.highest = highest;
    return property;
}

PropertyList sprite(const std::string& scale, const std::string& picture) {
    PropertyList properties;
    properties.at(LevelSchema::kScaleX, "scaleX", Kind::Number, scale, "sprite scale across")
        .at(LevelSchema::kScaleY, "scaleY", Kind::Number, scale, "sprite scale down")
        .at(LevelSchema::kTexturePath, "texturePath", Kind::Path, "Assets/" + picture + ".png",
            "picture file")
        .at(LevelSchema::kTextureName, "textureName", Kind::Text, picture, "name the picture is kept under");
    return properties;
}

std::vector<Property> body(const std::string& scale, const std::string& picture) {
    return sprite(scale, picture)
        .at(LevelSchema::kVelocityX, "velocityX", Kind::Number, "0", "starting speed across")
        .at(LevelSchema::kVelocityY, "velocityY", Kind::Number, "0", "starting speed down")
        .at(LevelSchema::kMass, "mass", Kind::Number, "1", "mass, greater than 0")
        .mustExceedZero(LevelSchema::kMass)
        .list;
}

// Farther than a view's width is more than a player could ever see coming.
constexpr double kLongestSight = 400.0;
constexpr double kFastestPatrol = 120.0;

std::vector<Property> dog(const std::string& picture, double sightRange) {
    std::vector<Property> properties = sprite("1", picture)
                                           .at(LevelSchema::kPatrolAxis, "patrolAxis", Kind::Text,
                                               "horizontal", "\"horizontal\", or \"vertical\"")
                                           .at(LevelSchema::kPatrolDistanceX, "patrolDistanceX", Kind::Number,
                                               "100", "pixels walked right and back on a horizontal beat")
                                           .at(LevelSchema::kUnused, "unused", Kind::Unread, "0", "not read")
                                           .at(LevelSchema::kPatrolDistanceY, "patrolDistanceY", Kind::Number,
                                               "0", "pixels walked down and back on a vertical beat")
                                           .list;
    properties.push_back(dogTuning(LevelSchema::kPatrolSpeed, EnemyMovement::kPatrolSpeed, 0.0,
                                   kFastestPatrol, "pixels a second on the beat; 0 stands guard"));
    properties.push_back(dogTuning(LevelSchema::kSightRange, sightRange, 0.0, kLongestSight,
                                   "pixels it sees an egg at 3/4 of, the player at 1/2 of"));
    return properties;
}

std::vector<Property> camera() {
    return PropertyList()
        .at(LevelSchema::kOffsetX, "offsetX", Kind::Number, "7", "view centre right of the player's corner")
        .at(LevelSchema::kOffsetY, "offsetY", Kind::Number, "7", "view centre below the player's corner")
        .list;
}

Property hintText() {
    Property text{LevelSchema::kHintText, Kind::Text, "",
                  "the words shown; {LAY}, {SHOOT}... name the control bound now, {MOVE} the moves"};
    text.required = false;
    return text;
}

ObjectType drawnType(const std::string& type, const std::string& colour, const std::string& meaning,
                     std::vector<Property> properties, bool boxFromObject) {
    return {type, colour, meaning, std::move(properties), true, boxFromObject, false};
}

// A zone or wall: no properties, a collider of its own size, at least one in every level.
ObjectType zoneType(const std::string& type, const std::string& colour, const std::string& meaning) {
    return {type, colour, meaning, {}, false, true, true};
}

std::vector<ObjectType> makeObjectTypes() {
    // The player is drawn at 14 of its picture's 16 pixels, the size of its box in the shipped level.
    return {
        drawnType(LevelSchema::kPlayer, "#1e88e5", "the player", body("0.875", "player"), true),
        drawnType(LevelSchema::kOutsideDog, "#e53935", "a dog in the grounds",
                  dog("dog1", EnemyMovement::kOutsideSightRange), false),
        drawnType(LevelSchema::kInsideDog, "#8e24aa", "a dog in the building",
                  dog("dog2", EnemyMovement::kInsideSightRange), false),
        {LevelSchema::kCamera, "#757575", "the camera that follows the player", camera(), false, false,
         false},
        zoneType(LevelSchema::kInsideWall, "#6d4c41", "a wall inside the building"),
        zoneType(LevelSchema::kOutsideWall, "#455a64", "a wall in the grounds"),
        drawnType(LevelSchema::kEgg, "#fdd835", "an egg to pick up and throw", body("1", "egg"), true),
        zoneType(LevelSchema::kEntrance, "#fb8c00", "walking in here enters the building"),
        zoneType(LevelSchema::kExit, "#f4511e", "walking in here leaves the building"),
        drawnType(LevelSchema::kFormula, "#00acc1", "the formula, inside the building",
                  sprite("1", "formula").list, true),
        zoneType(LevelSchema::kGoal, "#43a047", "reached with the formula, it wins the level"),
        {LevelSchema::kHint,
         "#c0ca33",
         "standing in it shows its text at the bottom of the picture",
         {hintText()},
         false,
         true,
         false},
    };
}

std::vector<LevelSchema::NeededName> makeNeededNames() {
    std::vector<LevelSchema::NeededName> names = {
        {LevelSchema::kPlayerName, {LevelSchema::kPlayer}, "the player"},
        {LevelSchema::kCameraName, {LevelSchema::kCamera}, "the camera"},
        {LevelSchema::kFormulaName, {LevelSchema::kFormula}, "the formula"},
    };
    for (int i = 1; i <= LevelSchema::kDogCount; ++i) {
        names.push_back(
            {LevelSchema::dogName(i), {LevelSchema::kOutsideDog, LevelSchema::kInsideDog}, "a dog"});
    }
    for (int i = 1; i <= LevelSchema::kEggCount; ++i) {
        names.push_back({LevelSchema::eggName(i), {LevelSchema::kEgg}, "an egg"});
    }
    return names;
}

} // namespace

bool LevelSchema::Property::allows(double value) const {
    return (lowestExcluded ? value > lowest : value >= lowest) && value <= highest;
}

std::string LevelSchema::Property::allowedRange() const {
    if (highest == HUGE_VAL) {
        return fill(lowestExcluded ? tr("greater than {1}") : tr("at least {1}"), {numberText(lowest)});
    }
    return fill(lowestExcluded ? tr("above {1} to {2}") : tr("from {1} to {2}"),
                {numberText(lowest), numberText(highest)});
}

std::size_t LevelSchema::ObjectType::requiredCount() const {
    return static_cast<std::size_t>(std::count_if(
        properties.begin(), properties.end(), [](const Property& property) { return property.required; }));
}

const LevelSchema::Property* LevelSchema::ObjectType::optional(const std::string& name) const {
    const auto found = std::find_if(properties.begin(), properties.end(), [&](const Property& property) {
        return !property.required && property.name == name;
    });
    return found == properties.end() ? nullptr : &*found;
}

std::string LevelSchema::dogName(int number) {
    return "enemy" + std::to_string(number);
}

std::string LevelSchema::eggName(int number) {
    return "egg" + std::to_string(number);
}

const std::vector<std::string>& LevelSchema::tileLayers() {
    static const std::vector<std::string> layers = {kInsideLayer, kInsideOverlay, kOutsideLayer,
                                                    kOutsideOverlay};
    return layers;
}

const std::vector<LevelSchema::ObjectType>& LevelSchema::objectTypes() {
    static const std::vector<ObjectType> types = makeObjectTypes();
    return types;
}

const LevelSchema::ObjectType* LevelSchema::find(const std::string& type) {
    const auto& types = objectTypes();
    const auto found =
        std::find_if(types.begin(), types.end(), [&](const ObjectType& known) { return known.type == type; });
    return found == types.end() ? nullptr : &*found;
}

const std::vector<LevelSchema::Property>& LevelSchema::mapProperties() {
    static const std::vector<Property> properties = [] {
        Property name{kLevelName, Kind::Text, "",
                      "the level's name in the level list; the file name without it"};
        name.required = false;
        Property intro{kLevelIntro, Kind::Text, "",
                       "a line or two on what the level is about, shown with its name as it starts"};
        intro.required = false;
        Property id{kLevelId, Kind::Text, "",
                    "the level's lasting name for records and ghosts: letters, digits, '-', '_' and '.'"};
        id.required = false;
        Property walls{kWallsBlockSight, Kind::Flag, "false",
                       "walls hide the player and eggs from the dogs, who run around them"};
        walls.required = false;
        std::vector<Property> properties{name, intro, id, walls};
        for (const std::string& medal : medalTimeNames()) {
            Property time{medal, Kind::Number, "",
                          "seconds a win may take for the " + medal.substr(0, medal.size() - 4) +
                              " medal; all three medal times or none"};
            time.required = false;
            time.lowest = kShortestMedalTime;
            time.highest = kLongestMedalTime;
            properties.push_back(time);
        }
        return properties;
    }();
    return properties;
}

const std::vector<std::string>& LevelSchema::medalTimeNames() {
    static const std::vector<std::string> names = {kGoldTime, kSilverTime, kBronzeTime};
    return names;
}

bool LevelSchema::medalTimesApart(double faster, double slower) {
    // Decimal tenths are not exact in binary: 40.1 - 40 falls a hair short of 0.1.
    return slower - faster >= kMedalTimeStep - 1e-9;
}

bool LevelSchema::levelIdAllowed(const std::string& id) {
    const auto allowed = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
               c == '_' || c == '.';
    };
    return !id.empty() && id.size() <= kLongestLevelId && id[0] != '.' &&
           std::all_of(id.begin(), id.end(), allowed);
}

bool LevelSchema::wallsBlockSight(const TileMap& map) {
    return map.property(kWallsBlockSight) == "true";
}

std::vector<std::string> LevelSchema::actionsNamedIn(const std::string& hintText) {
    std::vector<std::string> names;
    for (std::size_t open = hintText.find('{'); open != std::string::npos;
         open = hintText.find('{', open + 1)) {
        const std::size_t close = hintText.find('}', open);
        if (close == std::string::npos) {
            break;
        }
        names.push_back(hintText.substr(open + 1, close - open - 1));
        open = close;
    }
    return names;
}

bool LevelSchema::isHintAction(const std::string& name) {
    const auto& keys = Settings::actions();
    const auto& buttons = Settings::padActions();
    return name == kMoveAction || std::find(keys.begin(), keys.end(), name) != keys.end() ||
           std::find(buttons.begin(), buttons.end(), name) != buttons.end();
}

bool LevelSchema::isDog(const std::string& type) {
    return type == kOutsideDog || type == kInsideDog;
}

const std::vector<LevelSchema::NeededName>& LevelSchema::neededNames() {
    static const std::vector<NeededName> names = makeNeededNames();
    return names;
}

bool LevelSchema::isNeeded(const std::string& name) {
    const auto& names = neededNames();
    return std::any_of(names.begin(), names.end(),
                       [&](const NeededName& needed) { return needed.name == name; });
}

void LevelSchema::fillInTypeProperties(MapObject& object) {
    const ObjectType* type = find(object.type);
    if (!type) {
        return;
    }
    const auto byName = [&](const std::string& name) {
        return std::find_if(object.properties.begin(), object.properties.end(),
                            [&](const ObjectProperty& property) { return property.name == name; });
    };
    const auto ownName = [&](const ObjectProperty& property) {
        return std::any_of(type->properties.begin(), type->properties.end(),
                           [&](const Property& known) { return known.name == property.name; });
    };
    if (!std::all_of(object.properties.begin(), object.properties.end(), ownName)) {
        return;
    }
    std::vector<ObjectProperty> complete;
    for (const Property& known : type->properties) {
        const auto own = byName(known.name);
        if (own != object.properties.end()) {
            complete.push_back(*own);
        } else if (known.required) {
            complete.push_back({known.name, known.defaultValue, 0});
        }
    }
    object.properties = std::move(complete);
}

void LevelSchema::fillInTypeProperties(TileMap& map) {
    for (ObjectGroup& group : map.objectGroups) {
        for (MapObject& object : group.objects) {
            fillInTypeProperties(object);
        }
    }
}

std::string LevelSchema::tiledType(Kind kind) {
    // A picture path stays plain text: Tiled would rewrite a "file" property relative to the map's folder,
    // while the game opens it from its working folder.
    if (kind == Kind::Flag) {
        return "bool";
    }
    return kind == Kind::Number || kind == Kind::Unread ? "float" : "string";
}
