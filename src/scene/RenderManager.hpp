#pragma once

#include <SFML/Graphics/RenderWindow.hpp>
#include <map>
#include <string>
#include <vector>

class RenderComponent;

// Draws the level's drawable components in five named layers, back to front:
// "inside", "inside2", "outside", "outside2", "Objects". Holds plain pointers;
// the components belong to their game objects and die with the scene.
class RenderManager {
public:
    static RenderManager* getInstance();
    static void destroyInstance();

    // Registers under the component's layerName and makes that layer visible.
    void addComponent(RenderComponent* component);
    // Layers that never received a component are skipped.
    void draw(sf::RenderWindow* window);
    void showOutside();
    void showInside();

    std::vector<std::string> layerOrder;
    std::map<std::string, std::vector<RenderComponent*>> layers;
    std::map<int, std::string> drawOrder;
    std::map<std::string, bool> layerVisible;

private:
    RenderManager();
    void setLayerVisible(const std::string& name, bool visible);
    static RenderManager* instance;
};
