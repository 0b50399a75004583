#include "input/Gamepad.hpp"

#include "input/RealtimeInput.hpp"

#include <cmath>
#include <iterator>

void Gamepad::handleEvent(const sf::Event& event) {
    if (event.type == sf::Event::JoystickConnected && pad == kNoPad) {
        pad = event.joystickConnect.joystickId;
        searched = true;
    } else if (event.type == sf::Event::JoystickDisconnected && event.joystickConnect.joystickId == pad) {
        unpluggedPending = true;
        findPad(pad);
    }
}

void Gamepad::findPad(unsigned except) {
    pad = kNoPad;
    for (unsigned candidate = 0; candidate < sf::Joystick::Count; ++candidate) {
        if (candidate != except && RealtimeInput::isPadConnected(candidate)) {
            pad = candidate;
            return;
        }
    }
}

std::string Gamepad::buttonName(unsigned button) {
    const char* const names[] = {"A", "B", "X", "Y", "LB", "RB", "Back", "Start"};
    if (button < std::size(names)) {
        return names[button];
    }
    return "Button " + std::to_string(button);
}

std::optional<unsigned> Gamepad::buttonFor(const std::string& action) const {
    const auto found = buttons.find(action);
    if (found == buttons.end()) {
        return std::nullopt;
    }
    return found->second;
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

void Gamepad::update() {
    if (!searched) {
        // A pad plugged in before the game started sends no event.
        searched = true;
        findPad(kNoPad);
    }
    unplugged = unpluggedPending;
    unpluggedPending = false;
    previous = down;
    down.clear();
    rightStick.reset();
    if (pad == kNoPad) {
        return;
    }
    for (const auto& [action, button] : buttons) {
        if (RealtimeInput::isPadButtonPressed(pad, button)) {
            down.insert(action);
        }
    }
    sampleSticks();
}

void Gamepad::sampleSticks() {
    const auto axis = [this](sf::Joystick::Axis which) { return RealtimeInput::padAxis(pad, which); };
    const float x = axis(sf::Joystick::X);
    const float y = axis(sf::Joystick::Y);
    const float hatX = axis(sf::Joystick::PovX);
    // SFML on Linux passes the D-pad on as the kernel reports it: up is negative, as on the sticks.
    const float hatY = axis(sf::Joystick::PovY);
    if (x < -kDeadZone || hatX < -kDeadZone) {
        down.insert("LEFT");
    }
    if (x > kDeadZone || hatX > kDeadZone) {
        down.insert("RIGHT");
    }
    if (y < -kDeadZone || hatY < -kDeadZone) {
        down.insert("UP");
    }
    if (y > kDeadZone || hatY > kDeadZone) {
        down.insert("DOWN");
    }
    if (axis(sf::Joystick::R) > kTriggerPull) {
        down.insert("SHOOT");
    }
    const sf::Vector2f stick(axis(sf::Joystick::U), axis(sf::Joystick::V));
    const float length = std::hypot(stick.x, stick.y);
    if (length > kDeadZone) {
        rightStick = stick / length;
    }
}
