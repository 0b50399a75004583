// pellowick-mapcheck [map.tmx] [--data DIR] [--render FILE.png [--inside|--outside] [--only-layer NAME]
//                    [--no-objects]]
//
// Reads a level as the game does, prints a short summary and one line per problem, and exits with 0 only
// when nothing would stop the level from being played. Pictures are looked up in the game's own data
// folder, as the game looks them up, whatever the working folder.
#include "MapRenderer.hpp"
#include "app/AssetFolder.hpp"
#include "app/BuildInfo.hpp"
#include "app/DisplayCheck.hpp"
#include "i18n/CommandLineWords.hpp"
#include "i18n/Translator.hpp"
#include "map/LevelFile.hpp"
#include "map/MapChecker.hpp"

#include <CLI/CLI.hpp>
#include <SFML/System/Err.hpp>
#include <filesystem>
#include <iostream>
#include <map>
#include <optional>
#include <string>

namespace {

namespace fs = std::filesystem;

constexpr int kExitFine = 0;
constexpr int kExitProblems = 1;
constexpr int kExitUsage = 2;

struct Arguments {
    std::string mapPath; // empty for the game's own level
    std::string dataFolder;
    std::string renderPath;
    RenderOptions render;
};

std::string description() {
    return tr("Reads a Pellowick level as the game does, prints a short summary and one line per problem, "
              "and exits\nwith 0 only when nothing would stop the game from playing it. Tileset images and "
              "object pictures are\nlooked up in the game's own data folder (beside the program, or the "
              "installed one), whatever the\nworking folder; the map defaults to the game's own level, "
              "Assets/map.tmx in that folder.");
}

void describeOptions(CLI::App& app, Arguments& arguments) {
    CommandLineWords::apply(app, std::string("pellowick-mapcheck ") + buildinfo::kVersion);
    app.add_option("map", arguments.mapPath, tr("The Tiled map to check"))->type_name("FILE.tmx");
    app.add_option("--data", arguments.dataFolder,
                   tr("Take the pictures from the game folder DIR (the one holding Assets/)"))
        ->check(CLI::ExistingDirectory.description(""))
        ->type_name("DIR");
    app.add_option("--render", arguments.renderPath, tr("Also draw the map as the game would into FILE.png"))
        ->type_name("FILE.png");
    app.add_flag_callback(
        "--inside", [&arguments] { arguments.render.view = RenderView::Inside; },
        tr("Draw the inside of the building"));
    app.add_flag_callback(
        "--outside", [&arguments] { arguments.render.view = RenderView::Outside; },
        tr("Draw the outside of the building"));
    app.add_option("--only-layer", arguments.render.onlyLayer, tr("Draw only the tile layer NAME"))
        ->type_name("NAME");
    app.add_flag_callback(
        "--no-objects", [&arguments] { arguments.render.objects = false; },
        tr("Leave the objects out of the drawing"));
}

// The exit status when the program should stop here (help, version, a wrong option).
std::optional<int> parseArguments(int argc, char** argv, Arguments& arguments) {
    CLI::App app(description(), "pellowick-mapcheck");
    describeOptions(app, arguments);
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        std::cout << app.help();
        return kExitFine;
    } catch (const CLI::CallForVersion& version) {
        std::cout << version.what() << std::endl;
        return kExitFine;
    } catch (const CLI::ParseError& error) {
        std::cerr << "pellowick-mapcheck: " << error.what() << '\n'
                  << CommandLineWords::usage(app, "pellowick-mapcheck") << std::flush;
        return kExitUsage;
    }
    return std::nullopt;
}

// Object pictures are named from the game's folder ("Assets/dog1.png"), so the check runs from there, as
// the game does. Without --data that is the folder the game itself would use; failing that, the working
// folder stays, and the missing pictures show up as problems.
void enterDataFolder(const std::string& dataFolder, const std::string& argv0) {
    fs::path folder = dataFolder;
    if (folder.empty()) {
        folder = AssetFolder::find(AssetFolder::programDirectory(argv0), buildinfo::kDataFromProgram);
    } else if (std::error_code error; !fs::is_directory(folder / "Assets", error)) {
        sf::err() << dataFolder << ": "
                  << tr("has no Assets folder, so the map's pictures cannot be found there") << std::endl;
    }
    std::error_code error;
    if (!folder.empty()) {
        fs::current_path(folder, error);
    }
    if (error) {
        sf::err() << folder.string() << ": " << tr("cannot enter it:") << " " << error.message() << std::endl;
    }
}

std::string absoluteOrEmpty(const std::string& path) {
    return path.empty() ? path : fs::absolute(path).lexically_normal().string();
}

void printSummary(const TileMap& map, const std::string& mapPath) {
    // TRANSLATORS: the map checker's summary: "map.tmx: 60x40 cells of 16x16 pixels".
    std::cout << mapPath << ": "
              << fill(tr("{1}x{2} cells of {3}x{4} pixels"),
                      {std::to_string(map.width), std::to_string(map.height), std::to_string(map.tileWidth),
                       std::to_string(map.tileHeight)})
              << "\n";
    std::cout << "  " << tr("tilesets:");
    for (const Tileset& tileset : map.tilesets) {
        std::cout << " " << tileset.name << " ("
                  << fill(tr("{1} from {2}"), {tileset.imageSource, std::to_string(tileset.firstGid)}) << ")";
    }
    std::cout << "\n  " << tr("tile layers:");
    for (const TileLayer& layer : map.layers) {
        std::cout << " " << layer.name << " " << layer.width << "x" << layer.height;
    }
    std::map<std::string, int> types;
    std::size_t objects = 0;
    std::cout << "\n  " << tr("object groups:");
    for (const ObjectGroup& group : map.objectGroups) {
        std::cout << " " << group.name << " (" << group.objects.size() << ")";
        for (const MapObject& object : group.objects) {
            ++types[object.type.empty() ? tr("(no type)") : object.type];
        }
        objects += group.objects.size();
    }
    std::cout << "\n  " << tr("objects:") << " " << objects;
    for (const auto& [type, count] : types) {
        std::cout << ", " << type << " " << count;
    }
    std::cout << "\n";
}

} // namespace

int main(int argc, char** argv) {
    Translator::instance().setCatalogFolder(
        AssetFolder::catalogFolder(AssetFolder::programDirectory(argc > 0 ? argv[0] : "pellowick-mapcheck"),
                                   buildinfo::kLocaleFromProgram));
    Arguments arguments;
    if (const std::optional<int> status = parseArguments(argc, argv, arguments)) {
        return *status;
    }
    // Files named on the command line are taken from the working folder, before the check leaves it.
    std::string shownPath = arguments.mapPath;
    std::string mapPath = absoluteOrEmpty(arguments.mapPath);
    const std::string renderPath = absoluteOrEmpty(arguments.renderPath);
    const fs::path startFolder = fs::current_path();
    enterDataFolder(arguments.dataFolder, argc > 0 ? argv[0] : "pellowick-mapcheck");
    if (shownPath.empty()) {
        mapPath = "Assets/map.tmx";
        shownPath = fs::absolute(mapPath).lexically_proximate(startFolder).string();
    }
    const LevelFile level = LevelFile::read(mapPath);
    if (!level.map) {
        return kExitProblems;
    }
    const TileMap& map = *level.map;
    const auto& problems = level.problems;
    printSummary(map, shownPath);
    const bool playable = MapChecker::report(problems, shownPath, std::cout);
    std::cout << fill(playable
                          ? trn("playable ({1} problem)", "playable ({1} problems)", problems.size())
                          : trn("NOT playable ({1} problem)", "NOT playable ({1} problems)", problems.size()),
                      {std::to_string(problems.size())})
              << std::endl;
    if (!renderPath.empty()) {
        // SFML aborts the program when it finds no display to draw with: ask first.
        const DisplayCheck display;
        if (!display.isOpen()) {
            std::cerr << "pellowick-mapcheck: " << arguments.renderPath << ": "
                      << tr("not drawn: drawing the map needs a display (run the check under xvfb-run)")
                      << std::endl;
            return kExitProblems;
        }
        if (!MapRenderer(map).renderToFile(arguments.render, renderPath)) {
            return kExitProblems;
        }
    }
    return playable ? kExitFine : kExitProblems;
}
