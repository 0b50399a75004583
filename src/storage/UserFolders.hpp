#pragma once

#include <string>

// Where the game keeps the player's files, by the XDG base directory rules: the variable when it is set to
// an absolute path, else the usual folder under $HOME. Each returns "<base>/pellowick/<name>", or an empty
// string when neither the variable nor HOME gives a place.
class UserFolders {
public:
    // Settings: $XDG_CONFIG_HOME, else ~/.config.
    static std::string config(const std::string& name);
    // What the player makes and earns (levels, records): $XDG_DATA_HOME, else ~/.local/share.
    static std::string data(const std::string& name);
};
