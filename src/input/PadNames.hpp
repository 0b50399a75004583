#pragma once

#include <SDL2/SDL_gamecontroller.h>
#include <optional>
#include <string>

// What the buttons of a pad are called where the player can read them, by the family of the pad: an
// Xbox pad's south button is "A", a PlayStation pad's "Cross". Also SDL's own button names, which the
// settings file uses, and the button numbers older settings files used.
class PadNames {
public:
    enum class Family { Xbox, PlayStation, Nintendo, Generic };

    static Family familyOf(SDL_GameControllerType type);
    // The label printed on the button; SDL's name for one the table does not know.
    static std::string label(Family family, SDL_GameControllerButton button);
    // The trigger that shoots: "RT", "R2", "ZR".
    static std::string rightTrigger(Family family);

    // SDL's name ("a", "leftshoulder"); empty for SDL_CONTROLLER_BUTTON_INVALID.
    static std::string sdlName(SDL_GameControllerButton button);
    // The button SDL calls `name`, or nothing.
    static std::optional<SDL_GameControllerButton> fromSdlName(const std::string& name);
    // The button an older settings file meant by a number: the Xbox-style layout of Linux's usual pad
    // driver (0 A, 1 B, 2 X, 3 Y, 4 LB, 5 RB, 6 Back, 7 Start, 8 Guide, 9 and 10 the sticks).
    static std::optional<SDL_GameControllerButton> fromOldNumber(long long number);
};
