#pragma once

#include "scene/Component.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Transformable.hpp>
#include <memory>
#include <string>
#include <vector>

class BoxCollisionComponent;
class RigidBodyComponent;

// A named, typed thing in a scene: a transform plus components that carry all
// its behaviour. Always created with std::make_shared; components keep plain
// back pointers to it.
class GameObject : public sf::Transformable {
public:
    GameObject(std::string name, std::string type, sf::Vector2f position);

    // Runs the update-pass components with the window remembered from the last draw.
    void update(float dt);
    // Runs the draw-pass components with the dt remembered from the last update.
    void draw(sf::RenderWindow& window);
    void addComponent(std::shared_ptr<Component> component);

    // The first component that is a T (base classes match too), or empty.
    template <class T> std::shared_ptr<T> getComponent() const {
        for (const auto& component : components) {
            if (auto match = std::dynamic_pointer_cast<T>(component)) {
                return match;
            }
        }
        return nullptr;
    }

    std::vector<std::shared_ptr<BoxCollisionComponent>> getColliders() const { return colliders; }

    std::string name;
    std::string type;
    float dt = 0.0f;
    sf::RenderWindow* window = nullptr;
    std::vector<std::shared_ptr<Component>> components;
    std::vector<std::shared_ptr<BoxCollisionComponent>> colliders;
    std::shared_ptr<RigidBodyComponent> rigidBody;
};
