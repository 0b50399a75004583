#include "scene/GameObject.hpp"

GameObject::GameObject(std::string name, std::string type, sf::Vector2f position)
    : name(std::move(name)), type(std::move(type)) {
    setPosition(position);
}

void GameObject::update(float frameTime) {
    dt = frameTime;
    for (const auto& component : components) {
        if (component->runsInUpdate) {
            component->process(window, dt, name);
        }
    }
}

void GameObject::draw(sf::RenderWindow& target) {
    window = &target;
    for (const auto& component : components) {
        if (!component->runsInUpdate) {
            component->process(window, dt, name);
        }
    }
}

void GameObject::addComponent(std::shared_ptr<Component> component) {
    components.push_back(std::move(component));
}
