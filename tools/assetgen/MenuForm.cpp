#include "MenuForm.hpp"

#include "MenuLayout.hpp"

#include <sstream>

namespace assetgen {

namespace {

using namespace MenuLayout;

std::string pair(float x, float y) {
    std::ostringstream out;
    out << '(' << static_cast<int>(x) << ", " << static_cast<int>(y) << ')';
    return out.str();
}

// Lantern-gold edges on night-blue, brightening under the pointer and sinking when pressed.
const char* const kButtonStyle = R"(Renderer.1 {
    BackgroundColor = #141C3CE0;
    BackgroundColorHover = #2A3B74;
    BackgroundColorDown = #0B1128;
    BorderColor = #E8C872;
    BorderColorHover = #FFE6A0;
    BorderColorDown = #B8944A;
    Borders = (2, 2, 2, 2);
    TextColor = #F4EBD0;
    TextColorHover = #FFFFFF;
    TextColorDown = #E8C872;
}

Renderer.2 {
    BackgroundColor = #141C3C;
    BorderColor = #E8C872;
    Borders = (2, 2, 2, 2);
    CheckColor = #FFE6A0;
    TextColor = #F4EBD0;
}
)";

void writeButton(std::ostream& out, const char* name, const char* text, int row) {
    out << "\nButton." << name << " {\n"
        << "    Position = " << pair(kButtonLeft, kButtonTop + row * kButtonPitch) << ";\n"
        << "    Size = " << pair(kButtonWidth, kButtonHeight) << ";\n"
        << "    Text = \"" << text << "\";\n"
        << "    TextSize = 22;\n"
        << "    Renderer = &1;\n"
        << "}\n";
}

} // namespace

std::string menuForm() {
    std::ostringstream out;
    out << "// Pellowick start menu. Written by pellowick-assetgen: change the tool, not this file.\n\n"
        << kButtonStyle;
    writeButton(out, "start", "Start", 0);
    writeButton(out, "practice", "Practice", 1);
    writeButton(out, "levels", "Levels", 2);
    writeButton(out, "options", "Options", 3);
    writeButton(out, "controls", "Controls", 4);
    writeButton(out, "credits", "Credits", 5);
    writeButton(out, "exit", "Exit", 6);
    out << "\nPicture.audioIcon {\n"
        << "    Position = " << pair(kAudioIconLeft, kAudioRowTop - (kAudioIconSize - kCheckBoxSize) / 2)
        << ";\n"
        << "    Size = " << pair(kAudioIconSize, kAudioIconSize) << ";\n"
        << "    IgnoreMouseEvents = true;\n"
        << "    Renderer {\n"
        << "        Texture = \"audio.png\";\n"
        << "    }\n"
        << "}\n";
    out << "\nCheckBox.audio {\n"
        << "    Position = " << pair(kCheckBoxLeft, kAudioRowTop) << ";\n"
        << "    Size = " << pair(kCheckBoxSize, kCheckBoxSize) << ";\n"
        << "    Text = \"Audio\";\n"
        << "    TextSize = 20;\n"
        << "    Checked = true;\n"
        << "    Renderer = &2;\n"
        << "}\n";
    return out.str();
}

} // namespace assetgen
