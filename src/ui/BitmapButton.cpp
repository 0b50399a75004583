#include "ui/BitmapButton.hpp"

#include <algorithm>
#include <cmath>

namespace ui {

BitmapButton::BitmapButton(const std::string& text) : Button(text) {}

std::shared_ptr<BitmapButton> BitmapButton::create(const std::string& text) {
    return std::make_shared<BitmapButton>(text);
}

void BitmapButton::setImage(const sf::Texture& texture) {
    m_image = UiTexture{std::make_shared<const sf::Texture>(texture), {}};
}

sf::Vector2f BitmapButton::imageSize() const {
    if (!m_image.texture)
        return {0, 0};
    if (m_image.part.width > 0 && m_image.part.height > 0)
        return sf::Vector2f(static_cast<float>(m_image.part.width), static_cast<float>(m_image.part.height));
    return sf::Vector2f(m_image.texture->getSize());
}

float BitmapButton::spacing() const {
    return getText().empty() || !m_image.texture ? 0.f : textPadding();
}

sf::Vector2f BitmapButton::contentSize() const {
    const sf::Vector2f image = imageSize();
    if (getText().empty()) {
        const Borders borders = buttonBorders();
        return {image.x + borders.left + borders.right, image.y + borders.top + borders.bottom};
    }
    const sf::Vector2f textButton = Button::contentSize();
    return {textButton.x + image.x + spacing(), std::max(textButton.y, image.y)};
}

void BitmapButton::draw(sf::RenderTarget& target, const sf::Font* font) const {
    const sf::FloatRect inner = drawButtonFrame(target);
    const bool withText = font && !getText().empty();
    const unsigned textSize = withText ? textSizeFor(*font, inner) : 0;
    const float textWidth = withText ? measureText(getText(), *font, textSize).x : 0.f;

    sf::Vector2f image = imageSize();
    if (image.x > 0 && image.y > 0) {
        const float room = std::max(0.f, inner.width - textWidth - spacing());
        const float scale = std::min({1.f, room / image.x, inner.height / image.y});
        image *= scale;
    }
    const float groupWidth = image.x + spacing() + textWidth;
    const float left = std::round(inner.left + (inner.width - groupWidth) / 2);
    if (image.x > 0 && image.y > 0)
        drawTexture(target, m_image,
                    {left, std::round(inner.top + (inner.height - image.y) / 2), image.x, image.y});
    if (withText) {
        const sf::Text text = makeText(getText(), *font, textSize, textColor());
        drawCentredText(target, text,
                        {left + image.x + spacing() + textWidth / 2, inner.top + inner.height / 2});
    }
}

} // namespace ui
