#include "MapRenderer.hpp"

#include "common/FileCheck.hpp"
#include "map/LevelSchema.hpp"
#include "map/PropertyLookup.hpp"
#include "map/TileLayerBuilder.hpp"

#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/System/Err.hpp>
#include <filesystem>
#include <map>
#include <utility>

namespace {

std::vector<std::string> tileLayersOf(const RenderOptions& options) {
    if (!options.onlyLayer.empty()) {
        return {options.onlyLayer};
    }
    switch (options.view) {
    case RenderView::Inside:
        return {LevelSchema::kInsideLayer, LevelSchema::kInsideOverlay};
    case RenderView::Outside:
        return {LevelSchema::kOutsideLayer, LevelSchema::kOutsideOverlay};
    case RenderView::All:
        break;
    }
    return LevelSchema::tileLayers();
}

// Dogs of the second kind and the formula only show inside the building; the first kind only outside.
bool shownIn(RenderView view, const std::string& type) {
    const bool inside = view == RenderView::Inside;
    if (type == LevelSchema::kInsideDog || type == LevelSchema::kFormula) {
        return inside;
    }
    if (type == LevelSchema::kOutsideDog) {
        return !inside;
    }
    return type == LevelSchema::kPlayer || type == LevelSchema::kEgg;
}

float propertyNumber(const MapObject& object, std::size_t position) {
    return PropertyLookup::checkedNumber(object.properties[position].value);
}

class ObjectPainter {
public:
    void draw(sf::RenderTarget& target, const MapObject& object) {
        constexpr std::size_t kTexturePath = LevelSchema::kTexturePath;
        if (object.properties.size() <= kTexturePath) {
            return;
        }
        const sf::Texture* texture = textureAt(object.properties[kTexturePath].value);
        if (!texture) {
            return;
        }
        sf::Sprite sprite(*texture);
        sprite.setPosition(static_cast<float>(object.x), static_cast<float>(object.y));
        sprite.setScale(propertyNumber(object, LevelSchema::kScaleX),
                        propertyNumber(object, LevelSchema::kScaleY));
        target.draw(sprite);
    }

private:
    const sf::Texture* textureAt(const std::string& path) {
        auto found = textures.find(path);
        if (found == textures.end()) {
            sf::Texture texture;
            const bool loaded = FileCheck::mayLoadPicture(path, FileCheck::largestTextureSide()) &&
                                texture.loadFromFile(path);
            found = textures.emplace(path, std::make_pair(loaded, std::move(texture))).first;
        }
        return found->second.first ? &found->second.second : nullptr;
    }

    std::map<std::string, std::pair<bool, sf::Texture>> textures;
};

} // namespace

MapRenderer::MapRenderer(const TileMap& map, std::string assetPath)
    : map(map), assetPath(std::move(assetPath)) {}

bool MapRenderer::renderToFile(const RenderOptions& options, const std::string& pngPath) const {
    const auto width = static_cast<unsigned>(map.width * map.tileWidth);
    const auto height = static_cast<unsigned>(map.height * map.tileHeight);
    const unsigned largest = sf::Texture::getMaximumSize();
    if (width == 0 || height == 0 || width > largest || height > largest) {
        sf::err() << pngPath << ": cannot draw a " << width << "x" << height << " picture (the limit is "
                  << largest << ")" << std::endl;
        return false;
    }
    sf::RenderTexture canvas;
    if (!canvas.create(width, height)) {
        sf::err() << pngPath << ": could not create a drawing surface" << std::endl;
        return false;
    }
    canvas.clear(sf::Color::Transparent);

    const TileLayerBuilder builder(map);
    const TilesetTextures textures = builder.loadTilesetTextures();
    for (const std::string& name : tileLayersOf(options)) {
        for (const TileLayer& layer : map.layers) {
            if (layer.name == name) {
                for (const auto& sprite : builder.buildLayer(layer, textures)) {
                    canvas.draw(*sprite);
                }
            }
        }
    }

    if (options.objects && options.onlyLayer.empty()) {
        ObjectPainter painter;
        for (const ObjectGroup& group : map.objectGroups) {
            if (group.name == LevelSchema::kObjectGroup) {
                for (const MapObject& object : group.objects) {
                    if (shownIn(options.view, object.type)) {
                        painter.draw(canvas, object);
                    }
                }
            }
        }
    }
    canvas.display();
    // Written beside the picture first and put in its place whole, so a failed write leaves no half picture
    // (SFML picks the format from the name's end, hence the ".png").
    const std::string partial = pngPath + ".partial.png";
    std::error_code error;
    if (!canvas.getTexture().copyToImage().saveToFile(partial) ||
        (std::filesystem::rename(partial, pngPath, error), error)) {
        std::filesystem::remove(partial, error);
        sf::err() << pngPath << ": could not write the picture" << std::endl;
        return false;
    }
    return true;
}
