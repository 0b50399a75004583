#include "scene/LayerComponent.hpp"

#include "scene/RenderManager.hpp"

LayerComponent::LayerComponent(GameObject* owner, std::vector<std::shared_ptr<sf::Sprite>> tileSprites,
                               std::string layerName, bool runsInUpdate)
    : RenderComponent(owner, std::move(layerName), runsInUpdate), sprites(std::move(tileSprites)) {
    RenderManager::getInstance()->addComponent(this);
}

void LayerComponent::process(sf::RenderWindow* window, float, std::string) {
    drawOn(*window);
}

void LayerComponent::drawOn(sf::RenderTarget& target) {
    if (useChunks) {
        drawChunks(target);
    } else {
        drawPlain(target);
    }
}

void LayerComponent::drawPlain(sf::RenderTarget& target) const {
    for (const auto& sprite : sprites) {
        target.draw(*sprite);
    }
}

void LayerComponent::drawChunks(sf::RenderTarget& target) {
    drawCalls = 0;
    const sf::FloatRect seen = TileChunk::visibleArea(target.getView());
    for (const TileChunk& chunk : getChunks()) {
        if (chunk.inView(seen)) {
            chunk.draw(target);
            ++drawCalls;
        }
    }
}

const std::vector<TileChunk>& LayerComponent::getChunks() {
    if (!chunksBuilt) {
        bakeChunks();
    }
    return chunks;
}

void LayerComponent::rebuildChunks() {
    bakeChunks();
    ++version;
}

void LayerComponent::bakeChunks() {
    std::vector<const sf::Sprite*> tiles;
    tiles.reserve(sprites.size());
    for (const auto& sprite : sprites) {
        tiles.push_back(sprite.get());
    }
    chunks = TileChunk::bake(tiles);
    chunksBuilt = true;
}
