#pragma once

#include "input/PadNames.hpp"

#include <string>

class Gamepad;
class Settings;

// What the player presses for an action, named for the device they used last: the bound key ("E",
// "Escape") after the keyboard or the mouse, the pad's button as printed on that pad ("Cross" on a
// PlayStation pad, "A" on an Xbox one) after a pad. The moves are the stick and D-pad on a pad, and
// SHOOT is also the right trigger. Every screen that names a control asks here.
class ActionLabel {
public:
    // For the running game's settings and pad.
    static std::string of(const std::string& action);
    // The action's short name in capitals, as the pause strip and the key messages show it: "LAY"; "MOVE"
    // for the stick's four moves. The action's own name when it has none.
    static std::string capitalName(const std::string& action);
    static std::string of(const std::string& action, const Settings& settings, const Gamepad& pad);
    static std::string forKeyboard(const std::string& action, const Settings& settings);
    static std::string forPad(const std::string& action, const Settings& settings, PadNames::Family family);
};
