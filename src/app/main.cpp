#include "app/AssetFolder.hpp"
#include "app/DisplayCheck.hpp"
#include "app/Game.hpp"

int main(int argc, char** argv) {
    if (!AssetFolder::enterFolderBesideProgram(argc > 0 ? argv[0] : "pellowick")) {
        return 1;
    }
    if (!DisplayCheck::canOpenOrExplain()) {
        return 1;
    }
    int status = 0;
    {
        Game game;
        game.run();
        status = game.exitStatus();
    }
    return status;
}
