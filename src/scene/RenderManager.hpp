#pragma once

#include <SFML/Graphics/RenderWindow.hpp>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class LayerComponent;
class RenderComponent;
class TileStack;

// Draws the level's drawable components in five named layers, back to front:
// "inside", "inside2", "outside", "outside2", "Objects". Holds plain pointers;
// the components belong to their game objects and die with the scene.
//
// Tile layers that come one after the other in the drawing (visible, drawn in
// blocks) are drawn together as a TileStack, built once per such run of
// layers and kept: the pixels are the same, but tiles hidden under opaque
// tiles in front cost nothing.
class RenderManager {
public:
    static RenderManager* getInstance();
    static void destroyInstance();

    // Registers under the component's layerName and makes that layer visible.
    void addComponent(RenderComponent* component);
    // Layers that never received a component are skipped. Each component is drawn through its process().
    void draw(sf::RenderWindow* window);
    // What drawOn() draws: everything, only the tile layers, or everything but them.
    enum class Part { all, tileLayers, allButTileLayers };
    using TileLayersShown = std::vector<std::pair<const LayerComponent*, unsigned>>;

    // The same drawing into any target, a texture included, each component through its drawOn().
    void drawOn(sf::RenderTarget& target, Part part = Part::all);
    // The tile layers that would be drawn now, with the versions of their sprites: the same list, the same
    // tiles. Empty when something else would be drawn before one of them, so the tiles cannot be drawn
    // apart from the rest.
    TileLayersShown tileLayersUnderTheRest() const;
    void showOutside();
    void showInside();

    // Off: every tile layer is drawn on its own, as the reference for the stacks.
    bool stackTileLayers = true;

    std::vector<std::string> layerOrder;
    std::map<std::string, std::vector<RenderComponent*>> layers;
    std::map<int, std::string> drawOrder;
    std::map<std::string, bool> layerVisible;

private:
    using StackKey = std::vector<std::pair<LayerComponent*, unsigned>>;

    RenderManager();
    ~RenderManager();
    void setLayerVisible(const std::string& name, bool visible);
    using DrawOne = std::function<void(RenderComponent*)>;
    void drawLayers(sf::RenderTarget* target, Part part, const DrawOne& drawOne);
    void drawTileRun(std::vector<LayerComponent*>& run, sf::RenderTarget* target, const DrawOne& drawOne);
    TileStack& stackFor(const std::vector<LayerComponent*>& run);

    std::map<StackKey, std::unique_ptr<TileStack>> tileStacks;
    static RenderManager* instance;
};
