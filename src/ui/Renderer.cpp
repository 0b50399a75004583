#include "ui/Renderer.hpp"

#include <vector>

namespace ui {

namespace {

// The keys to try for a look, most specific first.
std::vector<const char*> suffixesFor(Look look) {
    switch (look) {
    case Look::Hover:
        return {"Hover", ""};
    case Look::Down:
        return {"Down", "Hover", ""};
    case Look::Disabled:
        return {"Disabled", ""};
    case Look::Normal:
        break;
    }
    return {""};
}

template <class Map>
std::optional<typename Map::mapped_type> lookUp(const Map& map, const std::string& key, Look look) {
    for (const char* suffix : suffixesFor(look)) {
        const auto found = map.find(key + suffix);
        if (found != map.end()) {
            return found->second;
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<sf::Color> Renderer::getColor(const std::string& key) const {
    return lookUp(colors, key, Look::Normal);
}

std::optional<sf::Color> Renderer::getColor(const std::string& key, Look look) const {
    return lookUp(colors, key, look);
}

std::optional<UiTexture> Renderer::getTexture(const std::string& key) const {
    return lookUp(textures, key, Look::Normal);
}

std::optional<UiTexture> Renderer::getTexture(const std::string& key, Look look) const {
    return lookUp(textures, key, look);
}

} // namespace ui
