#include "ui/Picture.hpp"

namespace ui {

std::shared_ptr<Picture> Picture::create() {
    return std::make_shared<Picture>();
}

std::shared_ptr<Picture> Picture::create(const sf::Texture& texture) {
    auto picture = create();
    picture->getRenderer()->setTexture("Texture", {std::make_shared<const sf::Texture>(texture), {}});
    return picture;
}

sf::Vector2f Picture::contentSize() const {
    const auto texture = getRenderer()->getTexture("Texture");
    if (!texture || !texture->texture) {
        return {0, 0};
    }
    if (texture->part.width > 0 && texture->part.height > 0) {
        return sf::Vector2f(static_cast<float>(texture->part.width),
                            static_cast<float>(texture->part.height));
    }
    return sf::Vector2f(texture->texture->getSize());
}

void Picture::draw(sf::RenderTarget& target, const sf::Font*) const {
    const auto texture = getRenderer()->getTexture("Texture", currentLook());
    if (texture && texture->texture) {
        drawTexture(target, *texture, {getPosition(), getSize()});
    }
}

} // namespace ui
