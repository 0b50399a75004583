#pragma once

#include "map/TileMap.hpp"

#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

// Everything the game expects of a level map, in one place: the object types it handles, the properties
// each type carries (the required ones read by position, the optional ones by name), the objects it looks
// up by name and how many of them, and the layers it draws. The object factory builds the level from these
// rules, the map checker holds a map against them, and the level compiler writes maps that follow them.
class LevelSchema {
public:
    // Object types, exactly as a map's "type" attribute spells them.
    static constexpr const char* kPlayer = "player";
    static constexpr const char* kOutsideDog = "enemy1"; // seen and solid while the player is outside
    static constexpr const char* kInsideDog = "enemy2";  // seen and solid while the player is inside
    static constexpr const char* kEgg = "egg";
    static constexpr const char* kFormula = "formula";
    static constexpr const char* kCamera = "camera";
    static constexpr const char* kGoal = "goal";
    static constexpr const char* kEntrance = "entrance";
    static constexpr const char* kExit = "exit";
    static constexpr const char* kInsideWall = "border";         // blocks only inside the building
    static constexpr const char* kOutsideWall = "borderOutside"; // blocks only outside it
    // While the player stands in one, its text shows at the bottom of the picture.
    static constexpr const char* kHint = "hint";

    // Property positions. Every drawn object starts with its sprite: scale, picture file and the name
    // the picture is kept under.
    static constexpr std::size_t kScaleX = 0;
    static constexpr std::size_t kScaleY = 1;
    static constexpr std::size_t kTexturePath = 2; // from the game's working folder: "Assets/egg.png"
    static constexpr std::size_t kTextureName = 3;
    // The player and the eggs: their rigid body.
    static constexpr std::size_t kVelocityX = 4;
    static constexpr std::size_t kVelocityY = 5;
    static constexpr std::size_t kMass = 6;
    // The dogs: their beat. Position 6 is kept free and never read.
    static constexpr std::size_t kPatrolAxis = 4; // "horizontal", anything else walks vertically
    static constexpr std::size_t kPatrolDistanceX = 5;
    static constexpr std::size_t kUnused = 6;
    static constexpr std::size_t kPatrolDistanceY = 7;
    // Optional dog properties, found by name wherever they lie; a dog without them keeps its kind's numbers.
    static constexpr const char* kSightRange = "sightRange";
    static constexpr const char* kPatrolSpeed = "patrolSpeed";
    // The camera: where the view centres, from the player's top-left corner.
    static constexpr std::size_t kOffsetX = 0;
    static constexpr std::size_t kOffsetY = 1;
    // A hint's words, found by name; "{LAY}" and the other action names in braces show the control bound
    // now, "{MOVE}" the four moves.
    static constexpr const char* kHintText = "text";
    static constexpr const char* kMoveAction = "MOVE";
    // The names in braces in a hint's text, in order; an opening brace without its closing one is text.
    static std::vector<std::string> actionsNamedIn(const std::string& hintText);
    // Whether a hint may name the action: one a key or pad button is bound to, or "MOVE".
    static bool isHintAction(const std::string& name);

    // The map's own property with the level's name as players see it; without it the file name serves.
    static constexpr const char* kLevelName = "name";
    // The map's own property with a line or two on what the level is about, shown with its name as it
    // starts.
    static constexpr const char* kLevelIntro = "intro";
    // The map's own name for the records, the ghosts and the opening of levels, kept when the content
    // changes; without it a level is known by its file name and content.
    static constexpr const char* kLevelId = "levelId";
    // Whether `id` may be a levelId: 1 to kLongestLevelId letters, digits, '-', '_' and '.', not starting
    // with '.', so that it always makes a file name of its own (the ghosts are kept in files named after it).
    static constexpr std::size_t kLongestLevelId = 100;
    static bool levelIdAllowed(const std::string& id);
    // The map's own property that makes walls hide the player and eggs from the dogs, who then find their
    // way around them; "true" or "false", false when absent.
    static constexpr const char* kWallsBlockSight = "wallsBlockSight";
    // The map's own target times in seconds, all three or none: gold below silver below bronze.
    static constexpr const char* kGoldTime = "goldTime";
    static constexpr const char* kSilverTime = "silverTime";
    static constexpr const char* kBronzeTime = "bronzeTime";
    static constexpr double kShortestMedalTime = 1.0;               // no run is quicker
    static constexpr double kLongestMedalTime = 24.0 * 60.0 * 60.0; // no run lasts longer
    // The clock shows tenths of a second: two medal times closer than that would read as one.
    static constexpr double kMedalTimeStep = 0.1;
    // Whether `slower` leaves the clock's tenth between it and the better medal's `faster` time.
    static bool medalTimesApart(double faster, double slower);
    // The three in order, gold first.
    static const std::vector<std::string>& medalTimeNames();

    // Names the game looks up once the level is built.
    static constexpr const char* kPlayerName = "player1"; // the camera and the dogs follow it
    static constexpr const char* kCameraName = "camera";
    static constexpr const char* kFormulaName = "formula";
    static constexpr int kDogCount = 22; // "enemy1" .. "enemy22"
    static constexpr int kEggCount = 10; // "egg1" .. "egg10"
    static std::string dogName(int number);
    static std::string eggName(int number);

    // Layers: the tile layers the game draws, and the object group its sprites are drawn from.
    static constexpr const char* kInsideLayer = "inside";
    static constexpr const char* kInsideOverlay = "inside2";
    static constexpr const char* kOutsideLayer = "outside";
    static constexpr const char* kOutsideOverlay = "outside2";
    static constexpr const char* kObjectGroup = "Objects";
    static const std::vector<std::string>& tileLayers();

    // How the game reads a property's text.
    enum class Kind {
        Number, // PropertyLookup::numberIn: a finite number, maybe with spaces around it
        Text,
        Path,   // a file the game loads, relative to its working folder
        Unread, // kept in its place, never looked at
        Flag,   // "true" or "false", as Tiled writes a bool
    };

    struct Property {
        // As Tiled shows it. A required property's name starts with its position, which keeps Tiled's
        // sorting by name in order; an optional one's starts with a letter, so it sorts after them all.
        std::string name;
        Kind kind = Kind::Number;
        std::string defaultValue; // what the shipped level uses, or what an absent optional one means
        std::string meaning;
        bool required = true;
        // The numbers the game accepts, from `lowest` to `highest`; above `lowest` when `lowestExcluded`.
        double lowest = -HUGE_VAL;
        double highest = HUGE_VAL;
        bool lowestExcluded = false;

        bool allows(double value) const;
        // "greater than 0", "from 10 to 500"
        std::string allowedRange() const;
    };

    struct ObjectType {
        std::string type;
        std::string colour; // how Tiled draws objects of this type, "#rrggbb"
        std::string meaning;
        std::vector<Property> properties; // the required ones by position, then the optional ones
        bool drawn = false;               // carries a sprite (properties 0 to 3)
        bool boxFromObject = false;       // its collider is the object's own width and height
        bool neededOnce = false;          // the level needs at least one object of this type

        std::size_t requiredCount() const;
        // The optional property of this name, or nothing.
        const Property* optional(const std::string& name) const;
    };

    // The map's own properties the game reads, by name; all optional.
    static const std::vector<Property>& mapProperties();
    static bool wallsBlockSight(const TileMap& map);

    // Every type the game handles, in the order the object factory tries them.
    static const std::vector<ObjectType>& objectTypes();
    // The type's rules, or nothing for a type the game skips.
    static const ObjectType* find(const std::string& type);
    static bool isDog(const std::string& type);

    // An object the game looks up by name, and the types it accepts there.
    struct NeededName {
        std::string name;
        std::vector<std::string> types;
        std::string what; // "a dog", for messages
    };
    // The player first, then the camera, the formula, the dogs and the eggs.
    static const std::vector<NeededName>& neededNames();
    static bool isNeeded(const std::string& name);

    // Tiled saves only the properties a designer has set on an object and leaves the rest to the object's
    // type. For an object of a handled type whose properties all carry the type's names, this gives it the
    // missing required ones with the type's defaults and puts all of them in the order the game reads them,
    // the optional ones it has last. Objects with properties under other names are left exactly as they
    // are: the game reads those by position.
    static void fillInTypeProperties(MapObject& object);
    static void fillInTypeProperties(TileMap& map);

    // The Tiled property type that keeps a kind's text as the game reads it.
    static std::string tiledType(Kind kind);
};
