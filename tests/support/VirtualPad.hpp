#pragma once

#include "input/Gamepad.hpp"

#include <SDL2/SDL.h>
#include <string>
#include <utility>
#include <vector>

// A pad plugged in as SDL's own virtual joystick, which goes through the same mapping code as a real one;
// its ids decide what kind of pad SDL takes it for. Virtual button k is SDL's button k and virtual axis k
// SDL's axis k. Lives on its own share of SDL, so the game may start and stop around it.
class VirtualPad {
public:
    struct Ids {
        Uint16 vendor;
        Uint16 product;
    };
    static constexpr Ids kPlayStation4{0x054c, 0x09cc};
    static constexpr Ids kSwitchPro{0x057e, 0x2009};
    // An Xbox 360 pad's ids: those of an Xbox One pad pull in SDL's mapping of the real one.
    static constexpr Ids kXbox360{0x045e, 0x028e};
    static constexpr Ids kUnknown{0x1234, 0x5678};

    // `mapped` false: a plain joystick of `buttons` buttons, six axes and a hat, for which SDL has no
    // mapping.
    explicit VirtualPad(Ids ids, bool mapped = true, int buttons = SDL_CONTROLLER_BUTTON_MAX) {
        Gamepad::startSdl();
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = mapped ? SDL_JOYSTICK_TYPE_GAMECONTROLLER : SDL_JOYSTICK_TYPE_UNKNOWN;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = static_cast<Uint16>(buttons);
        desc.nhats = mapped ? 0 : 1;
        desc.vendor_id = ids.vendor;
        desc.product_id = ids.product;
        desc.button_mask = (1u << buttons) - 1;
        desc.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
        desc.name = "Test pad";
        desc.userdata = this;
        desc.Rumble = [](void* self, Uint16 low, Uint16 high) {
            static_cast<VirtualPad*>(self)->rumbles.emplace_back(low, high);
            return 0;
        };
        const int index = SDL_JoystickAttachVirtualEx(&desc);
        guid = guidAt(index);
        stick = SDL_JoystickOpen(index);
        if (mapped) {
            // Triggers at rest.
            tilt(SDL_CONTROLLER_AXIS_TRIGGERLEFT, -1.0f);
            tilt(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, -1.0f);
        }
    }
    ~VirtualPad() {
        unplug();
        Gamepad::stopSdl();
    }
    VirtualPad(const VirtualPad&) = delete;
    VirtualPad& operator=(const VirtualPad&) = delete;

    void hold(int button, bool held = true) { SDL_JoystickSetVirtualButton(stick, button, held ? 1 : 0); }
    // -1 to 1, of the axis' whole travel.
    void tilt(int axis, float position) {
        SDL_JoystickSetVirtualAxis(stick, axis,
                                   static_cast<Sint16>(position < 0 ? position * 32768 : position * 32767));
    }
    void setHat(Uint8 position) { SDL_JoystickSetVirtualHat(stick, 0, position); }
    void unplug() {
        if (stick) {
            const SDL_JoystickID id = SDL_JoystickInstanceID(stick);
            SDL_JoystickClose(stick);
            stick = nullptr;
            for (int index = 0; index < SDL_NumJoysticks(); ++index) {
                if (SDL_JoystickGetDeviceInstanceID(index) == id) {
                    SDL_JoystickDetachVirtual(index);
                }
            }
        }
    }

    static std::string guidAt(int index) {
        char text[33];
        SDL_JoystickGetGUIDString(SDL_JoystickGetDeviceGUID(index), text, sizeof(text));
        return text;
    }

    std::string guid;
    // Every (low, high) strength the game asked for, the stops included.
    std::vector<std::pair<Uint16, Uint16>> rumbles;

private:
    SDL_Joystick* stick = nullptr;
};
