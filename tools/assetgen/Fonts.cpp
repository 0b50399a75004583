#include "Fonts.hpp"

#include <SFML/System/Err.hpp>
#include <string>

namespace assetgen {

namespace {

const std::string kFontFolder = "/usr/share/fonts/truetype/liberation2/";

bool loadFace(sf::Font& font, const std::string& file) {
    if (font.loadFromFile(kFontFolder + file)) {
        return true;
    }
    sf::err() << "pellowick-assetgen: cannot load the font " << kFontFolder << file
              << " (install fonts-liberation2)" << std::endl;
    return false;
}

} // namespace

bool Fonts::load() {
    const bool regularLoaded = loadFace(regular, "LiberationSans-Regular.ttf");
    const bool boldLoaded = loadFace(bold, "LiberationSans-Bold.ttf");
    return regularLoaded && boldLoaded;
}

} // namespace assetgen
