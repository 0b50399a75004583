// pellowick-mapcheck [map.tmx] [--render FILE.png [--inside|--outside] [--only-layer NAME] [--no-objects]]
//
// Reads a level as the game does, prints a short summary and one line per problem, and exits with 0 only
// when nothing would stop the level from being played. Run it from the folder that holds Assets/.
#include "MapRenderer.hpp"
#include "app/BuildInfo.hpp"
#include "map/LevelSchema.hpp"
#include "map/MapChecker.hpp"
#include "map/TmxReader.hpp"

#include <SFML/System/Err.hpp>
#include <iostream>
#include <map>
#include <string>

namespace {

constexpr int kExitFine = 0;
constexpr int kExitProblems = 1;
constexpr int kExitUsage = 2;

struct Arguments {
    std::string mapPath = "Assets/map.tmx";
    std::string renderPath;
    RenderOptions render;
};

const char* const kUsage = "Usage: pellowick-mapcheck [map.tmx] [--render FILE.png [--inside|--outside] "
                           "[--only-layer NAME] [--no-objects]]";

const char* const kHelp =
    "Reads a Pellowick level as the game does, prints a short summary and one line per problem, and exits\n"
    "with 0 only when nothing would stop the game from playing it. Run it from the folder that holds "
    "Assets/\n"
    "(tileset images are looked up there). The map defaults to Assets/map.tmx.\n\n"
    "Options:\n"
    "  --render FILE.png    also draw the map as the game would into FILE.png\n"
    "  --inside, --outside  draw the inside or the outside of the building\n"
    "  --only-layer NAME    draw only the tile layer NAME\n"
    "  --no-objects         leave the objects out of the drawing\n"
    "  --help               print this help and exit\n"
    "  --version            print the version and exit\n";

// --help and --version answer at once, whatever else is on the command line.
bool answersAtOnce(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--help") {
            std::cout << kUsage << "\n\n" << kHelp;
            return true;
        }
        if (argument == "--version") {
            std::cout << "pellowick-mapcheck " << buildinfo::kVersion << "\n";
            return true;
        }
    }
    return false;
}

bool parseArguments(int argc, char** argv, Arguments& arguments) {
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argument == "--render" && hasValue)
            arguments.renderPath = argv[++i];
        else if (argument == "--only-layer" && hasValue)
            arguments.render.onlyLayer = argv[++i];
        else if (argument == "--inside")
            arguments.render.view = RenderView::Inside;
        else if (argument == "--outside")
            arguments.render.view = RenderView::Outside;
        else if (argument == "--no-objects")
            arguments.render.objects = false;
        else if (argument.rfind("--", 0) != 0)
            arguments.mapPath = argument;
        else
            return false;
    }
    return true;
}

void printSummary(const TileMap& map, const std::string& mapPath) {
    std::cout << mapPath << ": " << map.width << "x" << map.height << " cells of " << map.tileWidth << "x"
              << map.tileHeight << " pixels\n";
    std::cout << "  tilesets:";
    for (const Tileset& tileset : map.tilesets)
        std::cout << " " << tileset.name << " (" << tileset.imageSource << " from " << tileset.firstGid
                  << ")";
    std::cout << "\n  tile layers:";
    for (const TileLayer& layer : map.layers)
        std::cout << " " << layer.name << " " << layer.width << "x" << layer.height;
    std::map<std::string, int> types;
    std::size_t objects = 0;
    std::cout << "\n  object groups:";
    for (const ObjectGroup& group : map.objectGroups) {
        std::cout << " " << group.name << " (" << group.objects.size() << ")";
        for (const MapObject& object : group.objects)
            ++types[object.type.empty() ? "(no type)" : object.type];
        objects += group.objects.size();
    }
    std::cout << "\n  objects: " << objects;
    for (const auto& [type, count] : types)
        std::cout << ", " << type << " " << count;
    std::cout << "\n";
}

} // namespace

int main(int argc, char** argv) {
    if (answersAtOnce(argc, argv)) {
        return kExitFine;
    }
    Arguments arguments;
    if (!parseArguments(argc, argv, arguments)) {
        std::cerr << kUsage << "\n";
        return kExitUsage;
    }
    const auto map = readTileMapFile(arguments.mapPath);
    if (!map)
        return kExitProblems;
    LevelSchema::fillInTypeProperties(*map);
    printSummary(*map, arguments.mapPath);
    const auto problems = MapChecker().check(*map);
    const bool playable = MapChecker::report(problems, arguments.mapPath, std::cout);
    std::cout << (playable ? "playable" : "NOT playable") << " (" << problems.size() << " problem(s))"
              << std::endl;
    if (!arguments.renderPath.empty() &&
        !MapRenderer(*map).renderToFile(arguments.render, arguments.renderPath))
        return kExitProblems;
    return playable ? kExitFine : kExitProblems;
}
