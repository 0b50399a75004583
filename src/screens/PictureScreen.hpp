#pragma once

#include "app/GameState.hpp"
#include "scene/GameObject.hpp"

#include <memory>
#include <string>

// A screen that shows one full-window picture until Escape is pressed. The
// picture is stretched by 1.35 in height and seen through an 800x800 view, so an
// 800x593 picture fills the 800x600 window.
class PictureScreen : public GameState {
public:
    void init() override;
    void exit() override;
    void update(float dt) override;
    void draw(sf::RenderWindow& window) override;
    void handleInput(float dt) override;

    std::shared_ptr<GameObject> background;
    std::shared_ptr<GameObject> camera;

protected:
    PictureScreen(std::string textureName, std::string file);
    ~PictureScreen() = default;

private:
    std::string textureName;
    std::string file;
    bool pictureMissing = false;
};
