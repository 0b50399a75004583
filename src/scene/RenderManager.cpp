#include "scene/RenderManager.hpp"

#include "map/LevelSchema.hpp"
#include "scene/LayerComponent.hpp"
#include "scene/RenderComponent.hpp"
#include "scene/TileStack.hpp"

#include <typeinfo>

namespace {
// A tile layer drawn in blocks, whose drawing the render manager may take over.
LayerComponent* stackable(RenderComponent* component) {
    if (typeid(*component) != typeid(LayerComponent)) {
        return nullptr;
    }
    auto* layer = static_cast<LayerComponent*>(component);
    return layer->useChunks ? layer : nullptr;
}
} // namespace

RenderManager* RenderManager::instance = nullptr;

RenderManager::RenderManager() : layerOrder(LevelSchema::tileLayers()) {
    layerOrder.push_back(LevelSchema::kObjectGroup); // sprites above every tile layer
}

RenderManager::~RenderManager() = default;

RenderManager* RenderManager::getInstance() {
    if (!instance) {
        instance = new RenderManager();
    }
    return instance;
}

void RenderManager::destroyInstance() {
    delete instance;
    instance = nullptr;
}

void RenderManager::addComponent(RenderComponent* component) {
    layers[component->layerName].push_back(component);
    layerVisible[component->layerName] = true;
    for (std::size_t i = 0; i < layerOrder.size(); ++i) {
        if (layerOrder[i] == component->layerName) {
            drawOrder[static_cast<int>(i)] = component->layerName;
        }
    }
}

void RenderManager::draw(sf::RenderWindow* window) {
    drawLayers(window, Part::all,
               [window](RenderComponent* component) { component->process(window, 0.0f, "id"); });
}

void RenderManager::drawOn(sf::RenderTarget& target, Part part) {
    drawLayers(&target, part, [&target](RenderComponent* component) { component->drawOn(target); });
}

RenderManager::TileLayersShown RenderManager::tileLayersUnderTheRest() const {
    TileLayersShown shown;
    bool othersBefore = false;
    for (std::size_t i = 0; i < layerOrder.size(); ++i) {
        const auto name = drawOrder.find(static_cast<int>(i));
        if (name == drawOrder.end() || !layerVisible.at(name->second)) {
            continue;
        }
        for (RenderComponent* component : layers.at(name->second)) {
            const auto* tiles = dynamic_cast<const LayerComponent*>(component);
            if (!component->visible) {
                continue;
            }
            if (tiles && othersBefore) {
                return {};
            }
            othersBefore = othersBefore || !tiles;
            if (tiles) {
                shown.emplace_back(tiles, tiles->spritesVersion());
            }
        }
    }
    return shown;
}

void RenderManager::drawLayers(sf::RenderTarget* target, Part part, const DrawOne& drawOne) {
    std::vector<LayerComponent*> tileRun;
    for (std::size_t i = 0; i < layerOrder.size(); ++i) {
        const auto name = drawOrder.find(static_cast<int>(i));
        if (name == drawOrder.end()) {
            continue;
        }
        const bool layerShown = layerVisible.at(name->second);
        for (RenderComponent* component : layers.at(name->second)) {
            if (!layerShown || !component->visible) {
                continue;
            }
            const bool tileLayer = dynamic_cast<LayerComponent*>(component) != nullptr;
            if ((part == Part::tileLayers && !tileLayer) || (part == Part::allButTileLayers && tileLayer)) {
                continue;
            }
            if (LayerComponent* tiles = stackable(component)) {
                tileRun.push_back(tiles);
                continue;
            }
            drawTileRun(tileRun, target, drawOne);
            drawOne(component);
        }
    }
    drawTileRun(tileRun, target, drawOne);
}

void RenderManager::drawTileRun(std::vector<LayerComponent*>& run, sf::RenderTarget* target,
                                const DrawOne& drawOne) {
    if (run.size() > 1 && stackTileLayers && target) {
        stackFor(run).draw(*target);
    } else {
        for (LayerComponent* layer : run) {
            drawOne(layer);
        }
    }
    run.clear();
}

TileStack& RenderManager::stackFor(const std::vector<LayerComponent*>& run) {
    StackKey key;
    for (LayerComponent* layer : run) {
        key.emplace_back(layer, layer->spritesVersion());
    }
    std::unique_ptr<TileStack>& stack = tileStacks[key];
    if (!stack) {
        stack = std::make_unique<TileStack>(run);
    }
    return *stack;
}

void RenderManager::setLayerVisible(const std::string& name, bool visible) {
    auto entry = layerVisible.find(name);
    if (entry != layerVisible.end()) {
        entry->second = visible;
    }
}

void RenderManager::showOutside() {
    setLayerVisible(LevelSchema::kInsideLayer, false);
    setLayerVisible(LevelSchema::kInsideOverlay, false);
    setLayerVisible(LevelSchema::kOutsideLayer, true);
    setLayerVisible(LevelSchema::kOutsideOverlay, true);
}

void RenderManager::showInside() {
    setLayerVisible(LevelSchema::kOutsideLayer, false);
    setLayerVisible(LevelSchema::kOutsideOverlay, false);
    setLayerVisible(LevelSchema::kInsideLayer, true);
    setLayerVisible(LevelSchema::kInsideOverlay, true);
}
