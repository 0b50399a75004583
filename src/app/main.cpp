#include "app/AssetFolder.hpp"
#include "app/CommandLine.hpp"
#include "app/DisplayCheck.hpp"
#include "app/Game.hpp"
#include "app/GameStateManager.hpp"
#include "map/MapChecker.hpp"

#include <iostream>

int main(int argc, char** argv) {
    const CommandLine::Result command = CommandLine::parse(argc, argv, std::cout, std::cerr);
    if (command.exitStatus) {
        return *command.exitStatus;
    }
    if (!AssetFolder::enterDataFolder(argc > 0 ? argv[0] : "pellowick")) {
        return 1;
    }
    const std::string& mapPath = command.options.mapPath;
    if (!mapPath.empty()) {
        if (!MapChecker().isPlayableFile(mapPath)) {
            return 1;
        }
        GameStateManager::getInstance()->mapPath = mapPath;
    }
    if (!DisplayCheck::canOpenOrExplain()) {
        return 1;
    }
    int status = 0;
    {
        Game game;
        if (command.options.fullscreen) {
            game.overrideWindowMode(*command.options.fullscreen);
        }
        game.run();
        status = game.exitStatus();
    }
    return status;
}
