#include "ui/BitmapButton.hpp"

#include <algorithm>
#include <cmath>

namespace ui {

BitmapButton::BitmapButton(const std::string& initialText) : Button(initialText) {}

std::shared_ptr<BitmapButton> BitmapButton::create(const std::string& text) {
    return std::make_shared<BitmapButton>(text);
}

void BitmapButton::setImage(const sf::Texture& texture) {
    image = UiTexture{std::make_shared<const sf::Texture>(texture), {}};
}

sf::Vector2f BitmapButton::imageSize() const {
    if (!image.texture) {
        return {0, 0};
    }
    if (image.part.width > 0 && image.part.height > 0) {
        return sf::Vector2f(static_cast<float>(image.part.width), static_cast<float>(image.part.height));
    }
    return sf::Vector2f(image.texture->getSize());
}

float BitmapButton::spacing() const {
    return getText().empty() || !image.texture ? 0.f : textPadding();
}

sf::Vector2f BitmapButton::contentSize() const {
    const sf::Vector2f imageExtent = imageSize();
    if (getText().empty()) {
        const Borders borders = buttonBorders();
        return {imageExtent.x + borders.left + borders.right, imageExtent.y + borders.top + borders.bottom};
    }
    const sf::Vector2f textButton = Button::contentSize();
    return {textButton.x + imageExtent.x + spacing(), std::max(textButton.y, imageExtent.y)};
}

void BitmapButton::draw(sf::RenderTarget& target, const sf::Font* font) const {
    const sf::FloatRect inner = drawButtonFrame(target);
    const bool withText = font && !getText().empty();
    const unsigned characterSize = withText ? textSizeFor(*font, inner) : 0;
    const float textWidth = withText ? measureText(getText(), *font, characterSize).x : 0.f;

    sf::Vector2f imageExtent = imageSize();
    if (imageExtent.x > 0 && imageExtent.y > 0) {
        const float room = std::max(0.f, inner.width - textWidth - spacing());
        const float scale = std::min({1.f, room / imageExtent.x, inner.height / imageExtent.y});
        imageExtent *= scale;
    }
    const float groupWidth = imageExtent.x + spacing() + textWidth;
    const float left = std::round(inner.left + (inner.width - groupWidth) / 2);
    if (imageExtent.x > 0 && imageExtent.y > 0) {
        drawTexture(
            target, image,
            {left, std::round(inner.top + (inner.height - imageExtent.y) / 2), imageExtent.x, imageExtent.y});
    }
    if (withText) {
        const sf::Text shownText = makeText(getText(), *font, characterSize, textColor());
        drawCentredText(target, shownText,
                        {left + imageExtent.x + spacing() + textWidth / 2, inner.top + inner.height / 2});
    }
}

} // namespace ui
