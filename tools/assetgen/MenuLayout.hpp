#pragma once

#include <SFML/Graphics/Rect.hpp>

namespace assetgen {

// Where the start menu's widgets sit, in window pixels of the 800x600 window. The title picture keeps a
// calm panel behind exactly this area and the menu form places its widgets inside it.
namespace MenuLayout {

constexpr float kPanelLeft = 270.f;
constexpr float kPanelTop = 186.f;
constexpr float kPanelWidth = 260.f;
constexpr float kPanelHeight = 346.f;

constexpr float kButtonLeft = 300.f;
constexpr float kButtonTop = 206.f;
constexpr float kButtonWidth = 200.f;
constexpr float kButtonHeight = 34.f;
constexpr float kButtonPitch = 40.f; // from one button's top to the next
constexpr int kButtonRows = 7;

// Below the last button, inside the panel.
constexpr float kAudioRowTop = kButtonTop + kButtonRows * kButtonPitch + 8.f;
constexpr float kAudioIconLeft = 336.f;
constexpr float kAudioIconSize = 32.f;
constexpr float kCheckBoxLeft = 382.f;
constexpr float kCheckBoxSize = 26.f;

inline sf::FloatRect panel() {
    return {kPanelLeft, kPanelTop, kPanelWidth, kPanelHeight};
}

} // namespace MenuLayout

} // namespace assetgen
