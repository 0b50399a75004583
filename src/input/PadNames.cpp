#include "input/PadNames.hpp"

#include <iterator>

namespace {
struct Labels {
    SDL_GameControllerButton button;
    const char* xbox;
    const char* playStation;
    const char* nintendo;
    const char* generic;
};
// With SDL's default of Nintendo button labels, SDL's "a" on a Nintendo pad is the button marked A.
const Labels kLabels[] = {
    {SDL_CONTROLLER_BUTTON_A, "A", "Cross", "A", "South"},
    {SDL_CONTROLLER_BUTTON_B, "B", "Circle", "B", "East"},
    {SDL_CONTROLLER_BUTTON_X, "X", "Square", "X", "West"},
    {SDL_CONTROLLER_BUTTON_Y, "Y", "Triangle", "Y", "North"},
    {SDL_CONTROLLER_BUTTON_BACK, "Back", "Share", "Minus", "Select"},
    {SDL_CONTROLLER_BUTTON_GUIDE, "Guide", "PS", "Home", "Home"},
    {SDL_CONTROLLER_BUTTON_START, "Start", "Options", "Plus", "Start"},
    {SDL_CONTROLLER_BUTTON_LEFTSTICK, "LS", "L3", "L stick", "L stick"},
    {SDL_CONTROLLER_BUTTON_RIGHTSTICK, "RS", "R3", "R stick", "R stick"},
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, "LB", "L1", "L", "L1"},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, "RB", "R1", "R", "R1"},
    {SDL_CONTROLLER_BUTTON_DPAD_UP, "D-pad up", "D-pad up", "D-pad up", "D-pad up"},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, "D-pad down", "D-pad down", "D-pad down", "D-pad down"},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, "D-pad left", "D-pad left", "D-pad left", "D-pad left"},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, "D-pad right", "D-pad right", "D-pad right", "D-pad right"},
    {SDL_CONTROLLER_BUTTON_MISC1, "Share", "Mic", "Capture", "Misc"},
};

const SDL_GameControllerButton kOldNumbers[] = {
    SDL_CONTROLLER_BUTTON_A,
    SDL_CONTROLLER_BUTTON_B,
    SDL_CONTROLLER_BUTTON_X,
    SDL_CONTROLLER_BUTTON_Y,
    SDL_CONTROLLER_BUTTON_LEFTSHOULDER,
    SDL_CONTROLLER_BUTTON_RIGHTSHOULDER,
    SDL_CONTROLLER_BUTTON_BACK,
    SDL_CONTROLLER_BUTTON_START,
    SDL_CONTROLLER_BUTTON_GUIDE,
    SDL_CONTROLLER_BUTTON_LEFTSTICK,
    SDL_CONTROLLER_BUTTON_RIGHTSTICK,
};
} // namespace

PadNames::Family PadNames::familyOf(SDL_GameControllerType type) {
    switch (type) {
    case SDL_CONTROLLER_TYPE_XBOX360:
    case SDL_CONTROLLER_TYPE_XBOXONE:
        return Family::Xbox;
    case SDL_CONTROLLER_TYPE_PS3:
    case SDL_CONTROLLER_TYPE_PS4:
    case SDL_CONTROLLER_TYPE_PS5:
        return Family::PlayStation;
    case SDL_CONTROLLER_TYPE_NINTENDO_SWITCH_PRO:
    case SDL_CONTROLLER_TYPE_NINTENDO_SWITCH_JOYCON_LEFT:
    case SDL_CONTROLLER_TYPE_NINTENDO_SWITCH_JOYCON_RIGHT:
    case SDL_CONTROLLER_TYPE_NINTENDO_SWITCH_JOYCON_PAIR:
        return Family::Nintendo;
    default:
        return Family::Generic;
    }
}

std::string PadNames::label(Family family, SDL_GameControllerButton button) {
    for (const Labels& row : kLabels) {
        if (row.button != button) {
            continue;
        }
        switch (family) {
        case Family::Xbox:
            return row.xbox;
        case Family::PlayStation:
            return row.playStation;
        case Family::Nintendo:
            return row.nintendo;
        default:
            return row.generic;
        }
    }
    return sdlName(button);
}

std::string PadNames::rightTrigger(Family family) {
    switch (family) {
    case Family::Xbox:
        return "RT";
    case Family::Nintendo:
        return "ZR";
    default:
        return "R2";
    }
}

std::string PadNames::sdlName(SDL_GameControllerButton button) {
    const char* name = SDL_GameControllerGetStringForButton(button);
    return name ? name : "";
}

std::optional<SDL_GameControllerButton> PadNames::fromSdlName(const std::string& name) {
    const SDL_GameControllerButton button = SDL_GameControllerGetButtonFromString(name.c_str());
    if (button == SDL_CONTROLLER_BUTTON_INVALID) {
        return std::nullopt;
    }
    return button;
}

std::optional<SDL_GameControllerButton> PadNames::fromOldNumber(long long number) {
    if (number < 0 || number >= static_cast<long long>(std::size(kOldNumbers))) {
        return std::nullopt;
    }
    return kOldNumbers[number];
}
