// Feeds arbitrary bytes to the menu's widget-file reader and builds the widgets it describes. The only
// exception allowed out is FormError, the one the start screen turns into its error line.
#include "common/ErrStream.hpp"
#include "ui/FormBuilder.hpp"
#include "ui/FormError.hpp"
#include "ui/FormReader.hpp"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {
// Texture files are looked up beside the form; this folder does not exist.
const char* const kFormPath = "/nonexistent-pellowick-assets/start.txt";
const sf::Vector2f kWindowSize{800.0f, 600.0f};

// An absolute texture path could name any file on the machine (even a pipe that never ends).
bool mayNameOutsideFile(const std::string& text) {
    const bool namesFile =
        text.find("Texture") != std::string::npos || text.find("Image") != std::string::npos;
    return namesFile && text.find('/') != std::string::npos;
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    static const ErrRedirect quiet(nullptr); // for the whole run, on the one thread libFuzzer uses
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (mayNameOutsideFile(text)) {
        return 0;
    }
    try {
        ui::FormBuilder(kFormPath, kWindowSize, nullptr).build(ui::FormReader::read(text, kFormPath));
    } catch (const ui::FormError&) {
    }
    return 0;
}
