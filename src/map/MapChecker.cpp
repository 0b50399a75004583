#include "map/MapChecker.hpp"

#include "common/ErrStream.hpp"
#include "common/FileCheck.hpp"
#include "i18n/Translator.hpp"
#include "map/LevelSchema.hpp"
#include "map/PropertyLookup.hpp"
#include "map/TileLayerBuilder.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/System/Err.hpp>
#include <algorithm>
#include <filesystem>
#include <iterator>
#include <map>
#include <set>
#include <utility>

namespace {

bool isDrawn(const std::string& type) {
    const LevelSchema::ObjectType* known = LevelSchema::find(type);
    return known && known->drawn;
}
bool isKnown(const std::string& type) {
    return LevelSchema::find(type) != nullptr;
}
// Kinds that get a collider from the object's own width and height.
bool hasObjectBox(const std::string& type) {
    const LevelSchema::ObjectType* known = LevelSchema::find(type);
    return known && known->boxFromObject;
}

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

// "a", "b" and "c"
std::string quotedList(const std::vector<std::string>& items, const std::string& lastJoin) {
    std::string list = quoted(items.front());
    for (std::size_t i = 1; i < items.size(); ++i) {
        list += (i + 1 == items.size() ? " " + tr(lastJoin) + " " : ", ") + quoted(items[i]);
    }
    return list;
}

// Read as the game reads it, so that what passes here is what the game plays.
bool isNumber(const std::string& text) {
    return PropertyLookup::numberIn(text).has_value();
}

double numberOf(const std::string& text) {
    return PropertyLookup::numberIn(text).value_or(0.0);
}

struct PlacedObject {
    const MapObject* object;
    std::string group;
};

// 64 bits: absurd coordinates in a map must not overflow the sums.
struct Box {
    long long left, top, right, bottom;
};

Box boxOf(const MapObject& object) {
    const long long x = object.x;
    const long long y = object.y;
    return {x, y, x + object.width, y + object.height};
}

// Boxes that merely touch do not collide in the game either.
bool overlap(const Box& a, const Box& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

long long gap(long long lowEnd, long long highStart) {
    return std::max(0LL, highStart - lowEnd);
}

// Looks at pictures once each and keeps only their size; a picture that cannot be loaded has size 0.
class ImageSizes {
public:
    explicit ImageSizes(const MapChecker::PictureSizer& decode) : decode(decode) {}

    sf::Vector2u sizeOf(const std::string& path) {
        auto found = sizes.find(path);
        if (found != sizes.end()) {
            return found->second;
        }
        sf::Vector2u size;
        std::error_code ignored;
        // A picture refused from its header is never decoded: that could take gigabytes.
        if (std::filesystem::is_regular_file(path, ignored) &&
            FileCheck::pictureProblem(path, FileCheck::largestTextureSide()).empty()) {
            size = decode ? decode(path) : MapChecker::decodedSize(path);
            if (!FileCheck::sizeProblem(size, FileCheck::largestTextureSide()).empty()) {
                size = {};
            }
        }
        return sizes[path] = size;
    }

    static bool exists(const std::string& path) {
        std::error_code ignored;
        return std::filesystem::exists(path, ignored);
    }

private:
    const MapChecker::PictureSizer& decode;
    std::map<std::string, sf::Vector2u> sizes;
};

class CheckRun {
public:
    CheckRun(const TileMap& map, const std::string& assetPath, const MapChecker::PictureSizer& decode)
        : map(map), assetPath(assetPath), images(decode) {
        for (const ObjectGroup& group : map.objectGroups) {
            for (const MapObject& object : group.objects) {
                objects.push_back({&object, group.name});
            }
        }
    }

    std::vector<MapProblem> run() {
        checkMapProperties();
        checkLayers();
        checkTilesets();
        for (const PlacedObject& placed : objects) {
            checkObject(placed);
        }
        checkNames();
        checkPlayerComesFirst();
        checkZoneTypes();
        checkInsideTheMap();
        checkDoorsApart();
        return std::move(problems);
    }

private:
    // `line`: the line of the element at fault, 0 when the problem has no single place in the file.
    void error(const std::string& subject, const std::string& message, int line = 0) {
        problems.push_back(MapProblem::error(subject, message).at(line));
    }
    void warning(const std::string& subject, const std::string& message, int line = 0) {
        problems.push_back(MapProblem::warning(subject, message).at(line));
    }
    // A property the map leaves to its type has no line of its own: its object's is the place to look.
    static int lineOf(const MapObject& object, const ObjectProperty& property) {
        return property.line > 0 ? property.line : object.line;
    }

    static std::string subjectOf(const MapObject& object) {
        if (!object.name.empty()) {
            return fill(tr("object {1}"), {quoted(object.name)});
        }
        return fill(tr("object of type {1} at ({2}, {3})"),
                    {quoted(object.type), std::to_string(object.x), std::to_string(object.y)});
    }

    void checkLayers() {
        const std::vector<std::string>& drawnLayers = LevelSchema::tileLayers();
        const std::string drawnList = quotedList(drawnLayers, N_("and"));
        for (const std::string& name : drawnLayers) {
            const bool found = std::any_of(map.layers.begin(), map.layers.end(),
                                           [&](const TileLayer& layer) { return layer.name == name; });
            if (!found) {
                error(fill(tr("layer {1}"), {quoted(name)}),
                      fill(tr("missing: the game draws the tile layers {1}"), {drawnList}));
            }
        }
        for (const TileLayer& layer : map.layers) {
            if (std::find(drawnLayers.begin(), drawnLayers.end(), layer.name) == drawnLayers.end()) {
                warning(fill(tr("layer {1}"), {quoted(layer.name)}),
                        fill(tr("is never drawn: the game draws only {1}"), {drawnList}), layer.line);
            }
        }
        for (const TileLayer& layer : map.layers) {
            if (layer.width != map.width || layer.height != map.height) {
                warning(fill(tr("layer {1}"), {quoted(layer.name)}),
                        fill(tr("is {1}x{2} cells but the map is {3}x{4}"),
                             {std::to_string(layer.width), std::to_string(layer.height),
                              std::to_string(map.width), std::to_string(map.height)}),
                        layer.line);
            }
        }
        const bool hasObjectGroup =
            std::any_of(map.objectGroups.begin(), map.objectGroups.end(),
                        [](const ObjectGroup& group) { return group.name == LevelSchema::kObjectGroup; });
        const bool drawsObjects = std::any_of(objects.begin(), objects.end(), [](const PlacedObject& placed) {
            return placed.group == LevelSchema::kObjectGroup && isDrawn(placed.object->type);
        });
        if (!hasObjectGroup) {
            error(fill(tr("object group {1}"), {quoted(LevelSchema::kObjectGroup)}),
                  tr("missing: the game draws its sprites from it"));
        } else if (!drawsObjects) {
            error(fill(tr("object group {1}"), {quoted(LevelSchema::kObjectGroup)}),
                  tr("holds no player, dog, egg or formula: the game needs at least one sprite in it"));
        }
    }

    void checkTilesets() {
        TilesetImageSizes tilesetSizes;
        for (const Tileset& tileset : map.tilesets) {
            tilesetSizes[tileset.name] = images.sizeOf(assetPath + tileset.imageSource);
        }
        for (MapProblem& problem : TileLayerBuilder(map, {}, assetPath).validate(tilesetSizes)) {
            problems.push_back(std::move(problem));
        }
    }

    void checkObject(const PlacedObject& placed) {
        const MapObject& object = *placed.object;
        const std::string subject = subjectOf(object);
        if (object.type.empty()) {
            warning(subject, tr("has no type; the game skips it"), object.line);
            return;
        }
        if (!isKnown(object.type)) {
            warning(subject, fill(tr("has the unknown type {1}; the game skips it"), {quoted(object.type)}),
                    object.line);
            return;
        }
        checkPropertyOrder(object, subject);
        if (!checkProperties(object, subject)) {
            return;
        }
        if (isDrawn(object.type) && placed.group != LevelSchema::kObjectGroup) {
            warning(subject,
                    fill(tr("lies in the group {1}, which the game never draws; drawn objects belong in {2}"),
                         {quoted(placed.group), quoted(LevelSchema::kObjectGroup)}),
                    object.line);
        }
        if (object.type == LevelSchema::kHint) {
            checkHint(object, subject);
        }
        if (hasObjectBox(object.type) && (object.width <= 0 || object.height <= 0)) {
            warning(subject,
                    fill(tr("has no area ({1}x{2}); nothing can touch it"),
                         {std::to_string(object.width), std::to_string(object.height)}),
                    object.line);
        }
    }

    // A hint shows its words, naming controls the player has.
    void checkHint(const MapObject& object, const std::string& subject) {
        const ObjectProperty* text = PropertyLookup(object).named(LevelSchema::kHintText);
        if (!text || text->value.find_first_not_of(" \t\r\n") == std::string::npos) {
            error(subject,
                  fill(tr("is a hint without text; give it the property {1}"),
                       {quoted(LevelSchema::kHintText)}),
                  text ? lineOf(object, *text) : object.line);
            return;
        }
        for (const std::string& action : LevelSchema::actionsNamedIn(text->value)) {
            if (!LevelSchema::isHintAction(action)) {
                error(subject,
                      fill(tr("names the action {1}, which does not exist; use {2} or an action of the "
                              "settings, "
                              "such as {3}"),
                           {quoted("{" + action + "}"), "{MOVE}", "{LAY}"}),
                      lineOf(object, *text));
            }
        }
    }

    // False when the properties are too few to look at further.
    bool checkProperties(const MapObject& object, const std::string& subject) {
        const LevelSchema::ObjectType& type = *LevelSchema::find(object.type);
        const PropertyLookup properties(object);
        const std::size_t count = type.requiredCount();
        if (properties.positionalCount() < count) {
            error(subject,
                  fill(tr("has {1} properties; the game reads {2} for type {3}"),
                       {std::to_string(properties.positionalCount()), std::to_string(count),
                        quoted(object.type)}),
                  object.line);
            return false;
        }
        for (std::size_t position = 0; position < count; ++position) {
            checkValue(object, subject, type.properties[position], properties.at(position),
                       fill(tr("property {1} ({2})"),
                            {std::to_string(position), quoted(properties.at(position).name)}));
        }
        for (const LevelSchema::Property& rule : type.properties) {
            if (const ObjectProperty* own = rule.required ? nullptr : properties.named(rule.name)) {
                checkValue(object, subject, rule, *own, fill(tr("property {1}"), {quoted(own->name)}));
            }
        }
        if (LevelSchema::isDog(object.type)) {
            constexpr std::size_t kAxis = LevelSchema::kPatrolAxis;
            const ObjectProperty& axis = properties.at(kAxis);
            if (axis.value != "horizontal" && axis.value != "vertical") {
                warning(subject,
                        fill(tr("property {1} ({2}) is {3}; the dog patrols vertically unless it is {4}"),
                             {std::to_string(kAxis), quoted(axis.name), quoted(axis.value),
                              quoted("horizontal")}),
                        lineOf(object, axis));
            }
        }
        if (type.drawn) {
            checkTexture(object, subject, properties.at(LevelSchema::kTexturePath));
        }
        return true;
    }

    // A number must be one, and within the range the schema allows for it.
    void checkValue(const MapObject& object, const std::string& subject, const LevelSchema::Property& rule,
                    const ObjectProperty& property, const std::string& what) {
        if (rule.kind != LevelSchema::Kind::Number) {
            return;
        }
        if (!isNumber(property.value)) {
            error(subject, fill(tr("{1} is {2}, not a number"), {what, quoted(property.value)}),
                  lineOf(object, property));
        } else if (!rule.allows(numberOf(property.value))) {
            error(subject,
                  fill(tr("{1} is {2}; it must be {3}"), {what, property.value, rule.allowedRange()}),
                  lineOf(object, property));
        }
    }

    void checkTexture(const MapObject& object, const std::string& subject, const ObjectProperty& property) {
        const std::string& path = property.value;
        const std::string problem = FileCheck::pictureProblem(path, FileCheck::largestTextureSide());
        if (!problem.empty()) {
            error(subject, fill(tr("texture {1} {2}"), {quoted(path), problem}), lineOf(object, property));
        } else if (!ImageSizes::exists(path)) {
            error(subject, fill(tr("texture {1} does not exist"), {quoted(path)}), lineOf(object, property));
        } else if (images.sizeOf(path).x == 0) {
            error(subject, fill(tr("texture {1} cannot be loaded as an image"), {quoted(path)}),
                  lineOf(object, property));
        }
    }

    // Tiled sorts properties by name when it saves, and the game reads the required ones by position.
    void checkPropertyOrder(const MapObject& object, const std::string& subject) {
        const PropertyLookup properties(object);
        for (std::size_t i = 1; i < properties.positionalCount(); ++i) {
            const ObjectProperty& before = properties.at(i - 1);
            const ObjectProperty& after = properties.at(i);
            if (after.name < before.name) {
                warning(subject,
                        fill(tr("property names are not in alphabetical order ({1} before {2}); Tiled will "
                                "reorder them on save"),
                             {quoted(before.name), quoted(after.name)}),
                        lineOf(object, after));
                return;
            }
        }
    }

    // The object the game stores under a name: the last one of a handled type.
    const MapObject* registered(const std::string& name) const {
        const MapObject* found = nullptr;
        for (const PlacedObject& placed : objects) {
            if (placed.object->name == name && isKnown(placed.object->type)) {
                found = placed.object;
            }
        }
        return found;
    }

    void requireName(const std::string& name, const std::vector<std::string>& types) {
        const MapObject* object = registered(name);
        const std::string wanted = quotedList(types, N_("or"));
        if (!object) {
            error(fill(tr("object {1}"), {quoted(name)}),
                  fill(tr("missing: the game needs an object of this name with type {1}"), {wanted}));
        } else if (std::find(types.begin(), types.end(), object->type) == types.end()) {
            error(fill(tr("object {1}"), {quoted(name)}),
                  fill(tr("has type {1}; the game needs {2}"), {quoted(object->type), wanted}), object->line);
        }
    }

    void checkNames() {
        for (const LevelSchema::NeededName& needed : LevelSchema::neededNames()) {
            requireName(needed.name, needed.types);
        }

        std::map<std::string, int> uses;
        for (const PlacedObject& placed : objects) {
            if (!placed.object->name.empty() && isKnown(placed.object->type)) {
                ++uses[placed.object->name];
            }
        }
        for (const auto& [name, count] : uses) {
            if (count < 2) {
                continue;
            }
            const std::string message =
                fill(tr("is used by {1} objects; the game keeps only the last under this name"),
                     {std::to_string(count)});
            // Pointed at the object that wins, where a designer would look first.
            const int line = registered(name)->line;
            if (LevelSchema::isNeeded(name)) {
                error(fill(tr("object {1}"), {quoted(name)}), message, line);
            } else {
                warning(fill(tr("object {1}"), {quoted(name)}), message, line);
            }
        }
    }

    void checkMapProperties() {
        for (const LevelSchema::Property& rule : LevelSchema::mapProperties()) {
            for (const ObjectProperty& own : map.properties) {
                if (own.name != rule.name) {
                    continue;
                }
                const std::string subject = fill(tr("map property {1}"), {quoted(own.name)});
                if (rule.kind == LevelSchema::Kind::Flag && own.value != "true" && own.value != "false") {
                    error(
                        subject,
                        fill(tr("is {1}, not true or false (a bool property in Tiled)"), {quoted(own.value)}),
                        own.line);
                } else if (rule.kind == LevelSchema::Kind::Number && !isNumber(own.value)) {
                    error(subject, fill(tr("is {1}, not a number"), {quoted(own.value)}), own.line);
                } else if (rule.kind == LevelSchema::Kind::Number && !rule.allows(numberOf(own.value))) {
                    error(subject, fill(tr("is {1}; it must be {2}"), {own.value, rule.allowedRange()}),
                          own.line);
                } else if (rule.name == LevelSchema::kLevelId && !LevelSchema::levelIdAllowed(own.value)) {
                    error(
                        subject,
                        fill(
                            tr("is {1}; it names the level's records and ghost files, so it must be 1 to {2} "
                               "letters, digits, '-', '_' or '.', not starting with '.'"),
                            {quoted(own.value), std::to_string(LevelSchema::kLongestLevelId)}),
                        own.line);
                }
            }
        }
        checkMedalTimes();
    }

    const ObjectProperty* mapProperty(const std::string& name) const {
        const auto found = std::find_if(map.properties.begin(), map.properties.end(),
                                        [&](const ObjectProperty& own) { return own.name == name; });
        return found == map.properties.end() ? nullptr : &*found;
    }

    // The medal times come as a set, each one at least the clock's tenth longer than the one before.
    void checkMedalTimes() {
        const std::vector<std::string>& names = LevelSchema::medalTimeNames();
        std::vector<const ObjectProperty*> given;
        std::vector<std::string> missing;
        for (const std::string& name : names) {
            const ObjectProperty* own = mapProperty(name);
            given.push_back(own);
            if (!own) {
                missing.push_back(name);
            }
        }
        if (missing.size() == names.size()) {
            return;
        }
        if (!missing.empty()) {
            const ObjectProperty* first =
                *std::find_if(given.begin(), given.end(), [](auto* own) { return own; });
            error(fill(tr("map property {1}"), {quoted(first->name)}),
                  fill(tr("comes without {1}; the three medal times go together"),
                       {quotedList(missing, N_("and"))}),
                  first->line);
            return;
        }
        for (std::size_t i = 1; i < given.size(); ++i) {
            const ObjectProperty& faster = *given[i - 1];
            const ObjectProperty& slower = *given[i];
            if (!isNumber(faster.value) || !isNumber(slower.value) ||
                LevelSchema::medalTimesApart(numberOf(faster.value), numberOf(slower.value))) {
                continue;
            }
            const std::string than = quoted(faster.name) + " (" + faster.value + ")";
            if (numberOf(slower.value) <= numberOf(faster.value)) {
                error(fill(tr("map property {1}"), {quoted(slower.name)}),
                      fill(tr("is {1}, not longer than {2}; the medal times grow from gold to bronze"),
                           {slower.value, than}),
                      slower.line);
            } else {
                error(fill(tr("map property {1}"), {quoted(slower.name)}),
                      fill(tr("is {1}, less than a tenth of a second longer than {2}; the clock shows "
                              "tenths, so "
                              "the medal times must lie at least 0.1 apart"),
                           {slower.value, than}),
                      slower.line);
            }
        }
    }

    // The camera and the dogs look the player up while the map loads.
    void checkPlayerComesFirst() {
        if (!registered(LevelSchema::kPlayerName)) {
            return; // already reported as missing
        }
        for (const PlacedObject& placed : objects) {
            const MapObject& object = *placed.object;
            if (object.name == LevelSchema::kPlayerName && object.type == LevelSchema::kPlayer) {
                return;
            }
            if (object.type == LevelSchema::kCamera || LevelSchema::isDog(object.type)) {
                error(subjectOf(object),
                      fill(tr("comes before {1} in the file; move the player first, the {2} looks it up "
                              "while the "
                              "map loads"),
                           {quoted(LevelSchema::kPlayerName), object.type}),
                      object.line);
            }
        }
    }

    void checkZoneTypes() {
        for (const LevelSchema::ObjectType& zone : LevelSchema::objectTypes()) {
            if (!zone.neededOnce) {
                continue;
            }
            const std::string& type = zone.type;
            const bool found = std::any_of(objects.begin(), objects.end(), [&](const PlacedObject& placed) {
                return placed.object->type == type;
            });
            if (!found) {
                error(fill(tr("type {1}"), {quoted(type)}),
                      tr("no object has it; the level needs at least one"));
            }
        }
    }

    // What the game needs to finish a level can only be reached, or seen, within the map: a player, formula
    // or zone past its edge would make the level one that can never be won.
    void checkInsideTheMap() {
        static const char* const kNeededInside[] = {LevelSchema::kPlayer,   LevelSchema::kFormula,
                                                    LevelSchema::kEntrance, LevelSchema::kExit,
                                                    LevelSchema::kGoal,     LevelSchema::kCamera};
        const long long width = static_cast<long long>(map.width) * map.tileWidth;
        const long long height = static_cast<long long>(map.height) * map.tileHeight;
        for (const PlacedObject& placed : objects) {
            const MapObject& object = *placed.object;
            if (std::none_of(std::begin(kNeededInside), std::end(kNeededInside),
                             [&](const char* type) { return object.type == type; })) {
                continue;
            }
            const Box box = boxOf(object);
            // A point (a camera, a box of no size) must lie on a pixel of the map.
            const bool inside = box.left >= 0 && box.top >= 0 &&
                                (box.right > box.left ? box.right <= width : box.left < width) &&
                                (box.bottom > box.top ? box.bottom <= height : box.top < height);
            if (inside) {
                continue;
            }
            const std::string where =
                box.right > box.left || box.bottom > box.top
                    ? fill(tr("spans ({1}, {2}) to ({3}, {4})"),
                           {std::to_string(box.left), std::to_string(box.top), std::to_string(box.right),
                            std::to_string(box.bottom)})
                    : fill(tr("stands at ({1}, {2})"), {std::to_string(box.left), std::to_string(box.top)});
            error(subjectOf(object),
                  fill(tr("{1}, outside the map of {2}x{3} pixels; the game needs its {4} inside the map"),
                       {where, std::to_string(width), std::to_string(height), object.type}),
                  object.line);
        }
    }

    // A player touching an entrance and an exit at once enters and leaves in the same step.
    void checkDoorsApart() {
        const MapObject* player = registered(LevelSchema::kPlayerName);
        for (const PlacedObject& entrance : objects) {
            if (entrance.object->type != LevelSchema::kEntrance) {
                continue;
            }
            for (const PlacedObject& exit : objects) {
                if (exit.object->type != LevelSchema::kExit) {
                    continue;
                }
                const Box a = boxOf(*entrance.object);
                const Box b = boxOf(*exit.object);
                const std::string subject = subjectOf(*entrance.object);
                if (overlap(a, b)) {
                    error(subject,
                          fill(tr("overlaps the exit {1}; the player would enter and leave at once"),
                               {subjectOf(*exit.object)}),
                          entrance.object->line);
                } else if (player && gap(a.right, b.left) + gap(b.right, a.left) < player->width &&
                           gap(a.bottom, b.top) + gap(b.bottom, a.top) < player->height) {
                    warning(subject,
                            fill(tr("is so close to the exit {1} that the player can touch both at once"),
                                 {subjectOf(*exit.object)}),
                            entrance.object->line);
                }
            }
        }
    }

    const TileMap& map;
    const std::string& assetPath;
    std::vector<PlacedObject> objects; // file order: group by group
    ImageSizes images;
    std::vector<MapProblem> problems;
};

} // namespace

MapChecker::MapChecker(std::string assetPath, PictureSizer decode)
    : assetPath(std::move(assetPath)), decode(std::move(decode)) {}

std::vector<MapProblem> MapChecker::check(const TileMap& map) const {
    return CheckRun(map, assetPath, decode).run();
}

sf::Vector2u MapChecker::decodedSize(const std::string& path) {
    // Our own message names the object or tileset; SFML's would only repeat the path.
    sf::Image image;
    const bool loaded = [&] {
        const ErrRedirect quiet(nullptr);
        return image.loadFromFile(path);
    }();
    return loaded ? image.getSize() : sf::Vector2u();
}

bool MapChecker::report(const std::vector<MapProblem>& problems, const std::string& mapPath,
                        std::ostream& out) {
    for (const MapProblem& problem : problems) {
        out << problem.format(mapPath) << '\n';
    }
    out.flush();
    return !hasErrors(problems);
}

bool MapChecker::hasErrors(const std::vector<MapProblem>& problems) {
    return std::any_of(problems.begin(), problems.end(),
                       [](const MapProblem& problem) { return problem.isError(); });
}
