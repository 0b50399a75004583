#include "app/AssetFolder.hpp"
#include "app/BuildInfo.hpp"
#include "app/CommandLine.hpp"
#include "app/DisplayCheck.hpp"
#include "app/Game.hpp"
#include "app/GameStateManager.hpp"
#include "i18n/Translator.hpp"
#include "map/LevelFile.hpp"

#include <iostream>

int main(int argc, char** argv) {
    // The help and the terminal's lines speak the system's language already; the settings' choice
    // applies from the first screen on.
    Translator::instance().setCatalogFolder(AssetFolder::catalogFolder(
        AssetFolder::programDirectory(argc > 0 ? argv[0] : "pellowick"), buildinfo::kLocaleFromProgram));
    const CommandLine::Result command = CommandLine::parse(argc, argv, std::cout, std::cerr);
    if (command.exitStatus) {
        return *command.exitStatus;
    }
    if (!AssetFolder::enterDataFolder(argc > 0 ? argv[0] : "pellowick")) {
        return 1;
    }
    // Connected before anything else reaches the X server, and until the game's window exists.
    DisplayCheck display;
    const std::string& mapPath = command.options.mapPath;
    if (!mapPath.empty()) {
        if (!LevelFile::isPlayable(mapPath)) {
            return 1;
        }
        GameStateManager::getInstance()->firstLevelPath = mapPath;
        GameStateManager::getInstance()->mapPath = mapPath;
    }
    if (!display.isOpenOrExplain()) {
        return 1;
    }
    int status = 0;
    {
        Game game;
        if (command.options.fullscreen) {
            game.overrideWindowMode(*command.options.fullscreen);
        }
        game.start();
        // SFML holds its own connection from now on.
        display.release();
        while (game.runFrame()) {
        }
        status = game.exitStatus();
    }
    return status;
}
