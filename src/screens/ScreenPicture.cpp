#include "screens/ScreenPicture.hpp"

#include "assets/AssetManager.hpp"
#include "i18n/Translator.hpp"
#include "scene/CameraComponent.hpp"
#include "scene/StaticCmp.hpp"

#include <SFML/System/Err.hpp>

namespace {
const sf::Vector2f kPictureScale{1.0f, 1.35f};
const sf::Vector2f kCameraOffset{400.0f, 400.0f};
} // namespace

std::shared_ptr<GameObject> ScreenPicture::makePicture(const std::string& name, const std::string& type,
                                                       const std::string& textureName,
                                                       const std::string& file) {
    AssetManager* assets = AssetManager::getInstance();
    assets->loadTexture(textureName, file);
    if (!assets->hasTexture(textureName)) {
        sf::err() << "Pellowick: "
                  << fill(tr("cannot show the picture {1}: the file is missing or unreadable"), {file})
                  << std::endl;
        return nullptr;
    }
    auto picture = std::make_shared<GameObject>(name, type, sf::Vector2f(0.0f, 0.0f));
    picture->addComponent(std::make_shared<StaticCmp>(picture.get(), assets->getTexture(textureName),
                                                      kPictureScale, textureName, false));
    return picture;
}

std::shared_ptr<GameObject> ScreenPicture::makeCamera(const std::shared_ptr<GameObject>& picture) {
    auto camera = std::make_shared<GameObject>("camera", "camera", sf::Vector2f(400.0f, 300.0f));
    camera->addComponent(std::make_shared<CameraComponent>(picture, kCameraOffset, false));
    camera->getComponent<CameraComponent>()->view.zoom(1.0f);
    return camera;
}

std::shared_ptr<GameObject> ScreenPicture::makeTitleBackground() {
    AssetManager* assets = AssetManager::getInstance();
    assets->loadTexture("startScreen", "Assets/startScreen.png");
    auto background = std::make_shared<GameObject>("startScreen", "background", sf::Vector2f(1.0f, 1.0f));
    if (assets->hasTexture("startScreen")) {
        background->addComponent(std::make_shared<StaticCmp>(background.get(),
                                                             assets->getTexture("startScreen"),
                                                             sf::Vector2f(1.0f, 1.0f), "startScreen", false));
    }
    return background;
}

std::shared_ptr<GameObject> ScreenPicture::makeTitleCamera(const std::shared_ptr<GameObject>& background) {
    auto camera = std::make_shared<GameObject>("camera", "camera", sf::Vector2f(400.0f, 400.0f));
    camera->addComponent(std::make_shared<CameraComponent>(background, sf::Vector2f(400.0f, 400.0f), false));
    return camera;
}
