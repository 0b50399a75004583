#include "input/Gamepad.hpp"

#include "i18n/Translator.hpp"
#include "input/RealtimeInput.hpp"
#include "storage/PadMappingsFile.hpp"

#include <SDL2/SDL.h>
#include <SFML/System/Err.hpp>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <sstream>
#include <utility>
#include <vector>

namespace {
const Sint16 kAxisTilt = static_cast<Sint16>(Gamepad::kDeadZone * SDL_JOYSTICK_AXIS_MAX);
// The layout of Linux's usual driver for Xbox-style pads, for a pad SDL knows no mapping for. Only the
// parts the pad has are used: buttons by number, axes by number, the first hat as the D-pad.
const char* const kRawButtons[] = {"a", "b", "x", "y", "leftshoulder", "rightshoulder", "back", "start"};
const char* const kRawAxes[] = {"leftx", "lefty", "lefttrigger", "rightx", "righty", "righttrigger"};
const int kFewestRawButtons = 4;

std::string guidOf(int deviceIndex) {
    char text[33];
    SDL_JoystickGetGUIDString(SDL_JoystickGetDeviceGUID(deviceIndex), text, sizeof(text));
    return text;
}

// The lines of SDL_GAMECONTROLLERCONFIG by number, added again after the player's file so that the
// variable, set for one run, wins over the file.
std::vector<std::pair<std::size_t, std::string>> variableLines() {
    std::vector<std::pair<std::size_t, std::string>> lines;
    const char* value = std::getenv("SDL_GAMECONTROLLERCONFIG");
    std::istringstream input(value ? value : "");
    std::string line;
    for (std::size_t number = 1; std::getline(input, line); ++number) {
        if (!line.empty() && line[0] != '#') {
            lines.emplace_back(number, line);
        }
    }
    return lines;
}
} // namespace

bool Gamepad::startSdl() {
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        sf::err() << "Pellowick: " << fill(tr("pads cannot be used: {1}"), {SDL_GetError()}) << std::endl;
        return false;
    }
    return true;
}

void Gamepad::stopSdl() {
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

Gamepad::~Gamepad() {
    for (const auto& pad : pads) {
        SDL_GameControllerClose(pad.second);
    }
    if (started) {
        stopSdl();
    }
}

void Gamepad::start(const std::string& mappingsPath) {
    if (started) {
        return;
    }
    started = startSdl();
    if (started) {
        mappingsFile = mappingsPath;
        addMappings(mappingsPath);
    }
}

void Gamepad::addMappings(const std::string& mappingsPath) {
    const auto add = [](const std::string& line) -> std::string {
        SDL_ClearError();
        return SDL_GameControllerAddMapping(line.c_str()) < 0 ? SDL_GetError() : "";
    };
    PadMappingsFile(mappingsPath).addTo(SDL_GetPlatform(), add);
    for (const auto& [number, line] : variableLines()) {
        if (const std::string problem = add(line); !problem.empty()) {
            sf::err() << "SDL_GAMECONTROLLERCONFIG, "
                      << fill(tr("line {1}: {2}; the line is skipped"), {std::to_string(number), problem})
                      << std::endl;
        }
    }
}

void Gamepad::update() {
    unplugged = false;
    pressedThisFrame.clear();
    firstPress.reset();
    previous = down;
    down.clear();
    rightStick.reset();
    if (!started) {
        return;
    }
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        handle(event);
    }
    if (!isConnected() || !RealtimeInput::isFocused()) {
        return;
    }
    sampleButtons();
    sampleSticks();
}

void Gamepad::bindButton(const std::string& action, SDL_GameControllerButton button) {
    buttons[action] = button;
    const auto found = pads.find(driving);
    if (found != pads.end() &&
        (pressedThisFrame.count(button) > 0 || RealtimeInput::isPadButtonPressed(found->second, button))) {
        down.insert(action);
        previous.insert(action);
    }
}

void Gamepad::spendPresses() {
    previous.insert(down.begin(), down.end());
    firstPress.reset();
}

void Gamepad::handle(const SDL_Event& event) {
    switch (event.type) {
    case SDL_JOYDEVICEADDED:
        open(event.jdevice.which);
        break;
    case SDL_CONTROLLERDEVICEADDED:
        open(event.cdevice.which);
        break;
    case SDL_JOYDEVICEREMOVED:
        close(event.jdevice.which);
        break;
    case SDL_CONTROLLERDEVICEREMOVED:
        close(event.cdevice.which);
        break;
    case SDL_CONTROLLERBUTTONDOWN:
        if (RealtimeInput::isFocused()) {
            noteUse(event.cbutton.which);
            if (event.cbutton.which == driving) {
                const auto button = static_cast<SDL_GameControllerButton>(event.cbutton.button);
                pressedThisFrame.insert(button);
                firstPress = firstPress.value_or(button);
            }
        }
        break;
    case SDL_CONTROLLERAXISMOTION:
        if (RealtimeInput::isFocused() && std::abs(event.caxis.value) > kAxisTilt) {
            noteUse(event.caxis.which);
        }
        break;
    default:
        break;
    }
}

void Gamepad::noteUse(SDL_JoystickID pad) {
    if (pads.count(pad) > 0) {
        driving = pad;
        padUsedLast = true;
    }
}

void Gamepad::open(int deviceIndex) {
    const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(deviceIndex);
    if (id < 0 || pads.count(id) > 0) {
        return;
    }
    if (!SDL_IsGameController(deviceIndex) && !mapAsRawLayout(deviceIndex)) {
        return;
    }
    SDL_GameController* pad = SDL_GameControllerOpen(deviceIndex);
    if (!pad) {
        const char* const name = SDL_JoystickNameForIndex(deviceIndex);
        sf::err() << "Pellowick: "
                  << fill(tr("the pad \"{1}\" cannot be opened: {2}"), {name ? name : "", SDL_GetError()})
                  << std::endl;
        return;
    }
    pads[id] = pad;
    if (!isConnected()) {
        driving = id;
    }
}

bool Gamepad::mapAsRawLayout(int deviceIndex) {
    SDL_Joystick* stick = SDL_JoystickOpen(deviceIndex);
    if (!stick) {
        return false;
    }
    const int buttonCount = SDL_JoystickNumButtons(stick);
    const int axisCount = SDL_JoystickNumAxes(stick);
    const int hatCount = SDL_JoystickNumHats(stick);
    std::string name = SDL_JoystickName(stick) ? SDL_JoystickName(stick) : "pad";
    // A comma would end the name in the mapping line.
    std::replace(name.begin(), name.end(), ',', ' ');
    SDL_JoystickClose(stick);
    if (buttonCount < kFewestRawButtons || (axisCount < 2 && hatCount < 1)) {
        sf::err() << "Pellowick: "
                  << fill(
                         tr("the pad \"{1}\" ({2}) is not known to SDL and has too few buttons and sticks to "
                            "play; a line for it in {3} would make it usable"),
                         {name, guidOf(deviceIndex), mappingsFile})
                  << std::endl;
        return false;
    }
    std::string mapping = guidOf(deviceIndex) + "," + name + ",";
    for (int i = 0; i < buttonCount && i < static_cast<int>(std::size(kRawButtons)); ++i) {
        mapping += std::string(kRawButtons[i]) + ":b" + std::to_string(i) + ",";
    }
    for (int i = 0; i < axisCount && i < static_cast<int>(std::size(kRawAxes)); ++i) {
        mapping += std::string(kRawAxes[i]) + ":a" + std::to_string(i) + ",";
    }
    if (hatCount > 0) {
        mapping += "dpup:h0.1,dpright:h0.2,dpdown:h0.4,dpleft:h0.8,";
    }
    return SDL_GameControllerAddMapping(mapping.c_str()) >= 0 && SDL_IsGameController(deviceIndex);
}

void Gamepad::close(SDL_JoystickID pad) {
    const auto found = pads.find(pad);
    if (found == pads.end()) {
        return;
    }
    SDL_GameControllerClose(found->second);
    pads.erase(found);
    if (pad == driving) {
        // As consoles do: the level waits for the player; another pad may take over.
        unplugged = true;
        driving = pads.empty() ? -1 : pads.begin()->first;
    }
}

SDL_GameControllerButton Gamepad::buttonFor(const std::string& action) const {
    const auto found = buttons.find(action);
    return found == buttons.end() ? SDL_CONTROLLER_BUTTON_INVALID : found->second;
}

PadNames::Family Gamepad::family() const {
    const auto found = pads.find(driving);
    if (found == pads.end()) {
        return PadNames::Family::Xbox;
    }
    return PadNames::familyOf(SDL_GameControllerGetType(found->second));
}

std::vector<ui::Gui::Move> Gamepad::menuMoves() const {
    std::vector<ui::Gui::Move> moves;
    const std::pair<const char*, ui::Gui::Move> table[] = {
        {"UP", ui::Gui::Move::Up},       {"DOWN", ui::Gui::Move::Down},       {"LEFT", ui::Gui::Move::Left},
        {"RIGHT", ui::Gui::Move::Right}, {"ACCEPT", ui::Gui::Move::Activate},
    };
    for (const auto& [action, move] : table) {
        if (isPressed(action)) {
            moves.push_back(move);
        }
    }
    return moves;
}

void Gamepad::rumble(float strength, unsigned milliseconds) {
    const auto found = pads.find(driving);
    if (!wasUsedLast() || found == pads.end()) {
        return;
    }
    const auto level = static_cast<Uint16>(std::clamp(strength, 0.0f, 1.0f) * 0xFFFF);
    // A pad without a motor says so; that is fine.
    SDL_GameControllerRumble(found->second, level, level, milliseconds);
}

void Gamepad::sampleButtons() {
    SDL_GameController* pad = pads.at(driving);
    for (const auto& [action, button] : buttons) {
        // A press released before the frame sampled it still counts once.
        if (pressedThisFrame.count(button) > 0 || RealtimeInput::isPadButtonPressed(pad, button)) {
            down.insert(action);
        }
    }
}

void Gamepad::sampleSticks() {
    SDL_GameController* pad = pads.at(driving);
    const auto axis = [pad](SDL_GameControllerAxis which) { return RealtimeInput::padAxis(pad, which); };
    const auto held = [this, pad](SDL_GameControllerButton button) {
        return pressedThisFrame.count(button) > 0 || RealtimeInput::isPadButtonPressed(pad, button);
    };
    const float x = axis(SDL_CONTROLLER_AXIS_LEFTX);
    const float y = axis(SDL_CONTROLLER_AXIS_LEFTY);
    if (x < -kDeadZone || held(SDL_CONTROLLER_BUTTON_DPAD_LEFT)) {
        down.insert("LEFT");
    }
    if (x > kDeadZone || held(SDL_CONTROLLER_BUTTON_DPAD_RIGHT)) {
        down.insert("RIGHT");
    }
    if (y < -kDeadZone || held(SDL_CONTROLLER_BUTTON_DPAD_UP)) {
        down.insert("UP");
    }
    if (y > kDeadZone || held(SDL_CONTROLLER_BUTTON_DPAD_DOWN)) {
        down.insert("DOWN");
    }
    if (axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT) > kTriggerPull) {
        down.insert("SHOOT");
    }
    const sf::Vector2f stick(axis(SDL_CONTROLLER_AXIS_RIGHTX), axis(SDL_CONTROLLER_AXIS_RIGHTY));
    const float length = std::hypot(stick.x, stick.y);
    if (length > kDeadZone) {
        rightStick = stick / length;
    }
}
