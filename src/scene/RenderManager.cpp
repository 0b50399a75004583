#include "scene/RenderManager.hpp"

#include "scene/RenderComponent.hpp"

RenderManager* RenderManager::instance = nullptr;

RenderManager::RenderManager() : layerOrder{"inside", "inside2", "outside", "outside2", "Objects"} {}

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
    for (std::size_t i = 0; i < layerOrder.size(); ++i) {
        const auto name = drawOrder.find(static_cast<int>(i));
        if (name == drawOrder.end()) {
            continue;
        }
        const bool layerShown = layerVisible.at(name->second);
        for (RenderComponent* component : layers.at(name->second)) {
            if (layerShown && component->visible) {
                component->process(window, 0.0f, "id");
            }
        }
    }
}

void RenderManager::setLayerVisible(const std::string& name, bool visible) {
    auto entry = layerVisible.find(name);
    if (entry != layerVisible.end()) {
        entry->second = visible;
    }
}

void RenderManager::showOutside() {
    setLayerVisible("inside", false);
    setLayerVisible("inside2", false);
    setLayerVisible("outside", true);
    setLayerVisible("outside2", true);
}

void RenderManager::showInside() {
    setLayerVisible("outside", false);
    setLayerVisible("outside2", false);
    setLayerVisible("inside", true);
    setLayerVisible("inside2", true);
}
