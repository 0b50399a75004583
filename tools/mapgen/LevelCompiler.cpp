#include "LevelCompiler.hpp"

#include "NeighbourMask.hpp"
#include "PixelCanvas.hpp"
#include "RectMerger.hpp"
#include "map/LevelSchema.hpp"

#include <SFML/System/Err.hpp>
#include <algorithm>
#include <map>
#include <set>
#include <sstream>

namespace {

const std::string kOutsideChars = ".,\":~=TYorG@";
const std::string kInsideChars = " #._,DBtSHhxOpLc";
const std::string kFloors = "._,";
const std::string kSolidFurniture = "tSHhxOpL";
const std::string kSolidGrounds = "~=TYor";

// How far a door zone sits from the wall line and how deep it is; the closing strip of a
// door must never touch a player who has just reached that door's zone.
constexpr int kZoneGap = 4;
constexpr int kZoneDepth = 16;
constexpr int kCloserThickness = 6;
// Beyond this many cells from the building the inside view can never be on screen.
constexpr int kDarkMargin = 11;
constexpr int kWorldEdge = 64;

// Object sizes in pixels. The player's sprite scale and the camera's offset in the level's rules match
// its size.
constexpr int kPlayerSize = 14;
constexpr int kDogSize = 16;
constexpr int kEggSize = 8;
constexpr int kFormulaSize = 16;
// The kennel's row: far above and left of the map, a dog's width and more apart.
constexpr int kKennelDistance = 1000;
constexpr int kKennelPitch = 32;

bool among(char c, const std::string& set) {
    return set.find(c) != std::string::npos;
}

// The strip beyond the face of `r` that looks towards `dir`.
sf::IntRect beyond(const sf::IntRect& r, sf::Vector2i dir, int gap, int thickness) {
    if (dir.y > 0) {
        return {r.left, r.top + r.height + gap, r.width, thickness};
    }
    if (dir.y < 0) {
        return {r.left, r.top - gap - thickness, r.width, thickness};
    }
    if (dir.x > 0) {
        return {r.left + r.width + gap, r.top, thickness, r.height};
    }
    return {r.left - gap - thickness, r.top, thickness, r.height};
}

// The part of `r` along its face towards `dir`.
sf::IntRect edgeStrip(const sf::IntRect& r, sf::Vector2i dir, int thickness) {
    if (dir.y > 0) {
        return {r.left, r.top + r.height - thickness, r.width, thickness};
    }
    if (dir.y < 0) {
        return {r.left, r.top, r.width, thickness};
    }
    if (dir.x > 0) {
        return {r.left + r.width - thickness, r.top, thickness, r.height};
    }
    return {r.left, r.top, thickness, r.height};
}

std::string describe(const sf::IntRect& r) {
    std::ostringstream out;
    out << "(" << r.left << ", " << r.top << ", " << r.width << "x" << r.height << ")";
    return out.str();
}

std::string number(float value) {
    std::ostringstream out;
    out << value;
    return out.str();
}

TmxDocument::Object zone(const std::string& name, const std::string& type, const sf::IntRect& r) {
    return {name, type, r.left, r.top, r.width, r.height, false, {}};
}

// The properties of `type`, by position, with the values they have in the shipped level.
std::vector<TmxDocument::Property> propertiesOf(const std::string& type) {
    std::vector<TmxDocument::Property> properties;
    for (const LevelSchema::Property& p : LevelSchema::find(type)->properties) {
        if (p.required) {
            properties.push_back({p.name, LevelSchema::tiledType(p.kind), p.defaultValue});
        }
    }
    return properties;
}

int variant(int x, int y, std::uint32_t seed, int count) {
    return static_cast<int>(PixelCanvas::hash(x, y, seed) % static_cast<std::uint32_t>(count));
}

} // namespace

LevelCompiler::LevelCompiler(const LevelSource& level, const TileSheet& terrain, const TileSheet& interior)
    : level(level), terrain(terrain), interior(interior),
      interiorFirstGid(1 + static_cast<int>(terrain.tileCount())) {
    int left = level.width(), top = level.height(), right = -1, bottom = -1;
    for (int y = 0; y < level.height(); ++y) {
        for (int x = 0; x < level.width(); ++x) {
            if (isBuilding(x, y)) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    footprint = sf::IntRect(left, top, right - left + 1, bottom - top + 1);
}

std::optional<TmxDocument> LevelCompiler::compile() {
    checkArt();
    const auto front = findDoor('D');
    const auto back = findDoor('B');
    if (failed || !front || !back) {
        return std::nullopt;
    }
    TmxDocument map(level.width(), level.height(), kTile);
    if (!level.levelName().empty()) {
        map.addMapProperty({LevelSchema::kLevelName, "string", level.levelName()});
    }
    if (!level.levelIntro().empty()) {
        map.addMapProperty({LevelSchema::kLevelIntro, "string", level.levelIntro()});
    }
    for (const auto& [property, value] : level.mapProperties()) {
        for (const LevelSchema::Property& rule : LevelSchema::mapProperties()) {
            if (rule.name == property) {
                map.addMapProperty({property, LevelSchema::tiledType(rule.kind), value});
            }
        }
    }
    const auto entry = [](const TileSheet& t, int firstGid) {
        TmxDocument::TilesetEntry e;
        e.firstGid = firstGid;
        e.name = t.name();
        e.imageFile = t.imageFile();
        e.columns = t.columns();
        e.tileCount = t.tileCount();
        e.imageWidth = t.columns() * kTile;
        e.imageHeight = t.rows() * kTile;
        return e;
    };
    map.addTileset(entry(terrain, 1));
    map.addTileset(entry(interior, interiorFirstGid));
    map.addLayer(insideLayer());
    map.addLayer(insideOverlay());
    map.addLayer(outsideLayer());
    map.addLayer(outsideOverlay());

    insideWalls = mergedSolids(true);
    outsideWalls = mergedSolids(false);
    addActors(map);
    addZonesAndWalls(map, *front, *back);
    checkClearances(*front, *back);
    if (failed) {
        return std::nullopt;
    }
    return map;
}

bool LevelCompiler::isBuilding(int x, int y) const {
    return level.inside().at(x, y) != ' ';
}

bool LevelCompiler::isOuterWall(int x, int y) const {
    if (!isBuilding(x, y)) {
        return false;
    }
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            if (!isBuilding(x + dx, y + dy)) {
                return true;
            }
        }
    }
    return false;
}

// Furniture stands on the floor of its first neighbour that has one; doorways are stone.
char LevelCompiler::floorUnder(int x, int y) const {
    const char c = level.inside().at(x, y);
    if (among(c, kFloors)) {
        return c;
    }
    if (c == 'D' || c == 'B') {
        return '_';
    }
    const int steps[][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
    for (const auto& s : steps) {
        const char n = level.inside().at(x + s[0], y + s[1]);
        if (among(n, kFloors)) {
            return n;
        }
    }
    return '.';
}

int LevelCompiler::terrainGid(const std::string& tile) const {
    return 1 + terrain.localId(tile);
}
int LevelCompiler::interiorGid(const std::string& tile) const {
    return interiorFirstGid + interior.localId(tile);
}

void LevelCompiler::checkArt() {
    const auto& out = level.outside();
    const auto& in = level.inside();
    for (int y = 0; y < level.height(); ++y) {
        for (int x = 0; x < level.width(); ++x) {
            std::ostringstream where;
            where << "cell (" << x << ", " << y << ")";
            if (!among(out.at(x, y), kOutsideChars)) {
                problem("outside.txt " + where.str(),
                        std::string("unknown character '") + out.at(x, y) + "'");
            }
            if (!among(in.at(x, y), kInsideChars)) {
                problem("inside.txt " + where.str(), std::string("unknown character '") + in.at(x, y) + "'");
            }
            if ((out.at(x, y) == '@') != isBuilding(x, y)) {
                problem("outside.txt " + where.str(),
                        "'@' must cover exactly the building drawn in inside.txt");
            }
            if ((in.at(x, y) == 'D' || in.at(x, y) == 'B') && !isOuterWall(x, y)) {
                problem("inside.txt " + where.str(), "a door must sit in the building's outer wall");
            }
        }
    }
    std::vector<sf::Vector2i> pad;
    for (int y = 0; y < level.height(); ++y) {
        for (int x = 0; x < level.width(); ++x) {
            if (out.at(x, y) == 'G') {
                pad.emplace_back(x, y);
            }
        }
    }
    if (pad.size() != 4 || pad[1].x != pad[0].x + 1 || pad[2].y != pad[0].y + 1 ||
        pad[3] != pad[0] + sf::Vector2i(1, 1)) {
        problem("outside.txt", "the goal pad 'G' must be one 2x2 block");
        return;
    }
    goal = sf::IntRect(pad[0].x * kTile, pad[0].y * kTile, 2 * kTile, 2 * kTile);
}

TmxDocument::Layer LevelCompiler::insideLayer() const {
    TmxDocument::Layer layer{LevelSchema::kInsideLayer, {}};
    const auto& in = level.inside();
    const sf::IntRect lit(footprint.left - kDarkMargin, footprint.top - kDarkMargin,
                          footprint.width + 2 * kDarkMargin, footprint.height + 2 * kDarkMargin);
    for (int y = 0; y < level.height(); ++y) {
        for (int x = 0; x < level.width(); ++x) {
            const char c = in.at(x, y);
            int gid = 0;
            if (!isBuilding(x, y)) {
                gid = lit.contains(x, y) ? interiorGid("void") : 0;
            } else if (c == '#') {
                const char below = in.at(x, y + 1);
                const bool facesRoom = isBuilding(x, y + 1) && below != '#';
                const bool lamp = variant(x, y, 9, 6) == 0;
                gid = interiorGid(facesRoom ? (lamp ? "wallFaceLamp" : "wallFace") : "wallTop");
            } else if (c == 'D') {
                gid = interiorGid("doorFront");
            } else if (c == 'B') {
                gid = interiorGid("doorBack");
            } else {
                const char floor = floorUnder(x, y);
                if (floor == ',') {
                    const int mask = NeighbourMask::of(x, y, [&](int nx, int ny) {
                        return floorUnder(nx, ny) == ',' && isBuilding(nx, ny);
                    });
                    gid = interiorGid("carpet" + std::to_string(mask));
                } else if (floor == '_') {
                    gid = interiorGid("flagstones" + std::to_string(y % 2));
                } else {
                    gid = interiorGid("planks" + std::to_string(variant(x, y, 3, 2)));
                }
            }
            layer.gids.push_back(gid);
        }
    }
    return layer;
}

TmxDocument::Layer LevelCompiler::insideOverlay() const {
    static const std::map<char, std::string> furniture = {
        {'t', "table"},  {'S', "shelf"}, {'H', "bedHead"},  {'h', "bedFoot"}, {'x', "crate"},
        {'O', "barrel"}, {'p', "plant"}, {'L', "labBench"}, {'c', "chair"}};
    TmxDocument::Layer layer{LevelSchema::kInsideOverlay, {}};
    for (int y = 0; y < level.height(); ++y) {
        for (int x = 0; x < level.width(); ++x) {
            const auto found = furniture.find(level.inside().at(x, y));
            layer.gids.push_back(found == furniture.end() ? 0 : interiorGid(found->second));
        }
    }
    return layer;
}

TmxDocument::Layer LevelCompiler::outsideLayer() const {
    TmxDocument::Layer layer{LevelSchema::kOutsideLayer, {}};
    const auto& out = level.outside();
    // A path runs on into the front door, so it has no grass edge there.
    const auto pathJoins = [&](int x, int y) {
        return out.at(x, y) == ':' || level.inside().at(x, y) == 'D';
    };
    const auto waterJoins = [&](int x, int y) { return out.at(x, y, '~') == '~'; };
    for (int y = 0; y < level.height(); ++y) {
        for (int x = 0; x < level.width(); ++x) {
            const char c = out.at(x, y);
            const int roll = variant(x, y, 7, 10);
            std::string tile = roll < 6 ? "grass0" : (roll < 8 ? "grass1" : (roll < 9 ? "grass2" : "grass3"));
            if (c == ',') {
                tile = "flowers" + std::to_string(variant(x, y, 8, 2));
            } else if (c == '"') {
                tile = "tallGrass";
            } else if (c == ':') {
                tile = "path" + std::to_string(NeighbourMask::of(x, y, pathJoins));
            } else if (c == '~') {
                tile = "water" + std::to_string(NeighbourMask::of(x, y, waterJoins));
            } else if (c == 'r') {
                tile = "rock";
            } else if (c == 'G') {
                const int quarter = (out.at(x - 1, y) == 'G' ? 1 : 0) + (out.at(x, y - 1) == 'G' ? 2 : 0);
                tile = "pad" + std::to_string(quarter);
            }
            layer.gids.push_back(terrainGid(tile));
        }
    }
    return layer;
}

TmxDocument::Layer LevelCompiler::outsideOverlay() const {
    TmxDocument::Layer layer{LevelSchema::kOutsideOverlay, {}};
    const auto& out = level.outside();
    for (int y = 0; y < level.height(); ++y) {
        for (int x = 0; x < level.width(); ++x) {
            const char c = out.at(x, y);
            int gid = 0;
            if (isBuilding(x, y)) {
                gid = buildingTile(x, y);
            } else if (c == '=') {
                const int mask =
                    NeighbourMask::of(x, y, [&](int nx, int ny) { return out.at(nx, ny) == '='; });
                gid = terrainGid("fence" + std::to_string(mask));
            } else if (c == 'T') {
                gid = terrainGid("tree0");
            } else if (c == 'Y') {
                gid = terrainGid("tree1");
            } else if (c == 'o') {
                gid = terrainGid("bush");
            } else if (c == 'G') {
                const int quarter = (out.at(x - 1, y) == 'G' ? 1 : 0) + (out.at(x, y - 1) == 'G' ? 2 : 0);
                gid = terrainGid("flag" + std::to_string(quarter));
            }
            layer.gids.push_back(gid);
        }
    }
    return layer;
}

// The building from outside: stone walls, a brick front with windows, a ridged roof.
int LevelCompiler::buildingTile(int x, int y) const {
    const auto& in = level.inside();
    const char c = in.at(x, y);
    if (c == 'D') {
        // The front door is drawn as a row: only its neighbours to either side join it.
        const int mask =
            NeighbourMask::of(x, y, [&](int nx, int ny) { return ny == y && in.at(nx, ny) == 'D'; });
        return terrainGid("frontDoor" + std::to_string(mask));
    }
    if (c == 'B') {
        return terrainGid("backDoor");
    }
    if (isOuterWall(x, y)) {
        if (!isBuilding(x, y + 1)) {
            const bool window = x % 4 == 1 && in.at(x - 1, y) != 'D' && in.at(x + 1, y) != 'D';
            return terrainGid(window ? "facadeWindow" : "facade");
        }
        return terrainGid("wallTop");
    }
    const int ridge = footprint.top + footprint.height / 2;
    const bool chimney = (y == ridge - 4 && x == footprint.left + 6) ||
                         (y == ridge + 5 && x == footprint.left + footprint.width - 8);
    if (chimney) {
        return terrainGid("chimney");
    }
    if (y == ridge) {
        return terrainGid("roofRidge");
    }
    return terrainGid(y < ridge ? "roofNorth" : "roofSouth");
}

std::optional<LevelCompiler::Door> LevelCompiler::findDoor(char mark) {
    std::vector<sf::Vector2i> cells;
    for (int y = 0; y < level.height(); ++y) {
        for (int x = 0; x < level.width(); ++x) {
            if (level.inside().at(x, y) == mark) {
                cells.emplace_back(x, y);
            }
        }
    }
    const std::string what = mark == 'D' ? "the front door 'D'" : "the back door 'B'";
    if (cells.empty()) {
        problem("inside.txt", what + " is missing");
        return std::nullopt;
    }
    const sf::Vector2i first = cells.front();
    const sf::Vector2i last = cells.back();
    const bool row = first.y == last.y && last.x - first.x + 1 == static_cast<int>(cells.size());
    const bool column = first.x == last.x && last.y - first.y + 1 == static_cast<int>(cells.size());
    if (!row && !column) {
        problem("inside.txt", what + " must be one straight run of cells");
        return std::nullopt;
    }
    Door door;
    door.pixels = sf::IntRect(first.x * kTile, first.y * kTile, (last.x - first.x + 1) * kTile,
                              (last.y - first.y + 1) * kTile);
    const sf::Vector2i candidates[] = {{0, -1}, {0, 1}, {-1, 0}, {1, 0}};
    for (const auto& dir : candidates) {
        const bool across = row ? dir.y != 0 : dir.x != 0;
        if (across && !isBuilding(first.x + dir.x, first.y + dir.y) &&
            isBuilding(first.x - dir.x, first.y - dir.y)) {
            door.outward = dir;
            return door;
        }
    }
    problem("inside.txt", what + " must lead from a room straight to the open");
    return std::nullopt;
}

std::vector<sf::IntRect> LevelCompiler::mergedSolids(bool inside) const {
    const auto& in = level.inside();
    const auto& out = level.outside();
    const auto solid = [&](int x, int y) {
        if (inside) {
            return in.at(x, y) == '#' || among(in.at(x, y), kSolidFurniture);
        }
        if (isBuilding(x, y)) {
            return isOuterWall(x, y) && in.at(x, y) != 'D' && in.at(x, y) != 'B';
        }
        return among(out.at(x, y), kSolidGrounds);
    };
    auto rects = RectMerger::merge(level.width(), level.height(), solid);
    for (auto& r : rects) {
        r = sf::IntRect(r.left * kTile, r.top * kTile, r.width * kTile, r.height * kTile);
    }
    return rects;
}

void LevelCompiler::addActors(TmxDocument& map) {
    const LevelSource::Placement* player = checkNames();
    if (!player) {
        return;
    }
    // The player comes first: the camera and every dog look it up while the map loads.
    map.addObject(actor(*player, kPlayerSize));
    TmxDocument::Object camera{
        LevelSchema::kCameraName,          LevelSchema::kCamera, player->x, player->y, 0, 0, true,
        propertiesOf(LevelSchema::kCamera)};
    map.addObject(camera);
    for (const auto& p : level.placements()) {
        if (LevelSchema::isDog(p.type)) {
            map.addObject(dog(p));
        } else if (p.type == LevelSchema::kEgg) {
            map.addObject(actor(p, kEggSize));
        } else if (p.type == LevelSchema::kFormula) {
            map.addObject(actor(p, kFormulaSize));
        } else if (p.type == LevelSchema::kHint) {
            map.addObject({p.name,
                           p.type,
                           p.x,
                           p.y,
                           p.width,
                           p.height,
                           false,
                           {{LevelSchema::kHintText, "string", p.text}}});
        }
    }
    if (level.kennel()) {
        addKennel(map);
    }
}

// The dogs and eggs the game looks up but the level does not place, in a row far off the map: there a dog
// that sees nothing and stands still never meets the player, and an egg is never found.
void LevelCompiler::addKennel(TmxDocument& map) const {
    std::set<std::string> placed;
    for (const auto& p : level.placements()) {
        placed.insert(p.name);
    }
    int slot = 0;
    for (const LevelSchema::NeededName& needed : LevelSchema::neededNames()) {
        const bool dog = needed.types.front() == LevelSchema::kOutsideDog;
        if (placed.count(needed.name) || (!dog && needed.types.front() != LevelSchema::kEgg)) {
            continue;
        }
        LevelSource::Placement spare;
        spare.type = needed.types.front();
        spare.name = needed.name;
        spare.x = -kKennelDistance - kKennelPitch * slot++;
        spare.y = -kKennelDistance;
        if (dog) {
            spare.patrolAxis = "horizontal";
            spare.tuning = {{LevelSchema::kPatrolSpeed, "0"}, {LevelSchema::kSightRange, "0"}};
            map.addObject(LevelCompiler::dog(spare));
        } else {
            map.addObject(actor(spare, kEggSize));
        }
    }
}

// Every name once, only the kinds objects.txt may place, and every name the game looks up; the player,
// or nothing when there is none to put first.
const LevelSource::Placement* LevelCompiler::checkNames() {
    std::set<std::string> names;
    const LevelSource::Placement* player = nullptr;
    for (const auto& p : level.placements()) {
        const std::string where = level.objectsPath() + ":" + std::to_string(p.line);
        if (!names.insert(p.name).second) {
            problem(where, "the name " + p.name + " is used twice");
        }
        if (p.type == LevelSchema::kPlayer) {
            player = &p;
        } else if (!LevelSchema::isDog(p.type) && p.type != LevelSchema::kEgg &&
                   p.type != LevelSchema::kFormula && p.type != LevelSchema::kHint) {
            problem(where, "unknown type " + p.type);
        }
    }
    if (!player || player->name != LevelSchema::kPlayerName) {
        problem(level.objectsPath(),
                std::string("the level needs one player named ") + LevelSchema::kPlayerName);
        return nullptr;
    }
    for (const LevelSchema::NeededName& needed : LevelSchema::neededNames()) {
        // The compiler places the camera itself, and the kennel the dogs and eggs left out.
        const bool kennelled = level.kennel() && needed.name != LevelSchema::kPlayerName &&
                               needed.name != LevelSchema::kFormulaName;
        if (needed.name != LevelSchema::kCameraName && !kennelled && !names.count(needed.name)) {
            problem(level.objectsPath(), "the game expects " + needed.what + " named " + needed.name);
        }
    }
    return player;
}

// A square actor of `size` pixels with the properties its type has in the shipped level.
TmxDocument::Object LevelCompiler::actor(const LevelSource::Placement& p, int size) {
    return {p.name, p.type, p.x, p.y, size, size, false, propertiesOf(p.type)};
}

TmxDocument::Object LevelCompiler::dog(const LevelSource::Placement& p) {
    TmxDocument::Object o = actor(p, kDogSize);
    const bool horizontal = p.patrolAxis == "horizontal";
    o.properties[LevelSchema::kPatrolAxis].value = p.patrolAxis;
    o.properties[LevelSchema::kPatrolDistanceX].value = number(horizontal ? p.patrolDistance : 0);
    o.properties[LevelSchema::kPatrolDistanceY].value = number(horizontal ? 0 : p.patrolDistance);
    // Optional ones follow the required ones, in the order Tiled would sort them.
    auto tuning = p.tuning;
    std::sort(tuning.begin(), tuning.end());
    for (const auto& [key, value] : tuning) {
        o.properties.push_back(
            {key, LevelSchema::tiledType(LevelSchema::find(p.type)->optional(key)->kind), value});
    }
    return o;
}

void LevelCompiler::addZonesAndWalls(TmxDocument& map, const Door& front, const Door& back) {
    const sf::Vector2i inward = -front.outward;
    const sf::IntRect entrance = beyond(front.pixels, inward, kZoneGap, kZoneDepth);
    const sf::IntRect exit = beyond(back.pixels, back.outward, kZoneGap, kZoneDepth);
    map.addObject(zone(LevelSchema::kGoal, LevelSchema::kGoal, goal));
    map.addObject(zone(LevelSchema::kEntrance, LevelSchema::kEntrance, entrance));
    map.addObject(zone(LevelSchema::kExit, LevelSchema::kExit, exit));

    // Inside, the front doorway is shut by a strip on its outer edge, clear of the entrance.
    insideWalls.push_back(edgeStrip(front.pixels, front.outward, kCloserThickness));
    // Outside, the back doorway is shut by a strip on its inner edge, clear of the exit.
    outsideWalls.push_back(edgeStrip(back.pixels, -back.outward, kCloserThickness));
    const int w = level.width() * kTile;
    const int h = level.height() * kTile;
    outsideWalls.insert(outsideWalls.begin(), {{-kWorldEdge, -kWorldEdge, w + 2 * kWorldEdge, kWorldEdge},
                                               {-kWorldEdge, h, w + 2 * kWorldEdge, kWorldEdge},
                                               {-kWorldEdge, 0, kWorldEdge, h},
                                               {w, 0, kWorldEdge, h}});
    int n = 1;
    for (const auto& r : insideWalls) {
        map.addObject(zone(LevelSchema::kInsideWall + std::to_string(n++), LevelSchema::kInsideWall, r));
    }
    n = 1;
    for (const auto& r : outsideWalls) {
        map.addObject(zone(LevelSchema::kOutsideWall + std::to_string(n++), LevelSchema::kOutsideWall, r));
    }
    const auto zoneClear = [&](const sf::IntRect& zone, const std::vector<sf::IntRect>& walls,
                               const std::string& what) {
        for (const auto& r : walls) {
            if (zone.intersects(r)) {
                problem(what + " " + describe(zone), "overlaps the wall " + describe(r));
            }
        }
    };
    zoneClear(entrance, insideWalls, "the entrance");
    zoneClear(entrance, outsideWalls, "the entrance");
    zoneClear(exit, outsideWalls, "the exit");
    zoneClear(exit, insideWalls, "the exit");
    zoneClear(goal, outsideWalls, "the goal");
}

void LevelCompiler::checkClearances(const Door&, const Door&) {
    struct Beat {
        std::string name;
        bool inside;
        sf::IntRect area;
    };
    std::vector<Beat> beats;
    for (const auto& p : level.placements()) {
        if (!LevelSchema::isDog(p.type)) {
            continue;
        }
        // Everything the dog sweeps while patrolling, with a pixel of overshoot each way.
        const int reach = static_cast<int>(p.patrolDistance) + 2;
        const sf::IntRect area = p.patrolAxis == "horizontal"
                                     ? sf::IntRect(p.x - 1, p.y - 1, kDogSize + reach + 1, kDogSize + 2)
                                     : sf::IntRect(p.x - 1, p.y - 2, kDogSize + 2, kDogSize + reach + 2);
        beats.push_back({p.name, p.type == LevelSchema::kInsideDog, area});
    }
    const auto clearOf = [&](const std::string& what, const sf::IntRect& area,
                             const std::vector<sf::IntRect>& walls) {
        for (const auto& r : walls) {
            if (area.intersects(r)) {
                problem(what + " " + describe(area), "runs into the wall " + describe(r));
                return;
            }
        }
    };
    for (std::size_t i = 0; i < beats.size(); ++i) {
        clearOf(beats[i].name + "'s beat", beats[i].area, beats[i].inside ? insideWalls : outsideWalls);
        if (!beats[i].inside && beats[i].area.intersects(goal)) {
            problem(beats[i].name + "'s beat", "crosses the goal");
        }
        for (std::size_t j = i + 1; j < beats.size(); ++j) {
            if (beats[i].inside == beats[j].inside && beats[i].area.intersects(beats[j].area)) {
                problem(beats[i].name + "'s beat", "crosses " + beats[j].name + "'s beat");
            }
        }
    }
    for (const auto& p : level.placements()) {
        if (p.type == LevelSchema::kEgg) {
            const sf::IntRect egg(p.x, p.y, kEggSize, kEggSize);
            clearOf(p.name, egg, outsideWalls);
            clearOf(p.name, egg, insideWalls);
            for (const auto& b : beats) {
                if (egg.intersects(b.area)) {
                    problem(p.name, "lies on " + b.name + "'s beat");
                }
            }
        } else if (p.type == LevelSchema::kPlayer) {
            clearOf(p.name, sf::IntRect(p.x, p.y, kPlayerSize, kPlayerSize), outsideWalls);
        } else if (p.type == LevelSchema::kFormula) {
            clearOf(p.name, sf::IntRect(p.x, p.y, kFormulaSize, kFormulaSize), insideWalls);
        }
    }
}

void LevelCompiler::problem(const std::string& where, const std::string& what) {
    sf::err() << where << ": " << what << std::endl;
    failed = true;
}
