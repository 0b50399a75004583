#pragma once

#include <string>

namespace assetgen {

// The start menu form in the GUI's widget-file format: buttons "start", "practice", "levels", "options",
// "controls", "credits" and "exit", the check box "audio" and a speaker picture beside it, all inside the
// title picture's calm panel.
std::string menuForm();

} // namespace assetgen
