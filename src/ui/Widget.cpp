#include "ui/Widget.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <algorithm>
#include <cmath>

namespace ui {

Widget::Widget() : renderer(std::make_shared<Renderer>()) {}

void Widget::setVisible(bool show) {
    visible = show;
    if (!show) {
        hovered = false;
        pressed = false;
        focused = false;
    }
}

void Widget::setEnabled(bool enable) {
    enabled = enable;
    if (!enable) {
        hovered = false;
        pressed = false;
        focused = false;
    }
}

void Widget::setRenderer(std::shared_ptr<Renderer> newRenderer) {
    if (newRenderer) {
        renderer = std::move(newRenderer);
    }
}

bool Widget::isMouseOnWidget(sf::Vector2f point) const {
    const sf::Vector2f size = getSize();
    return point.x >= position.x && point.x < position.x + size.x && point.y >= position.y &&
           point.y < position.y + size.y;
}

void Widget::leftMousePressed() {
    if (enabled && visible) {
        pressed = true;
    }
}

void Widget::leftMouseReleased() {
    const bool wasPressed = pressed;
    pressed = false;
    if (wasPressed && enabled && visible) {
        clicked();
    }
}

void Widget::activate() {
    if (enabled && visible) {
        clicked();
    }
}

void Widget::clicked() {
    onClick.emit();
}

Look Widget::currentLook() const {
    if (!enabled) {
        return Look::Disabled;
    }
    if (pressed && hovered) {
        return Look::Down;
    }
    return hovered || focused ? Look::Hover : Look::Normal;
}

Borders Widget::bordersOr(const Borders& fallback) const {
    return renderer->getBorders().value_or(fallback);
}

sf::Color Widget::colorOr(const std::string& key, Look look, sf::Color fallback) const {
    return renderer->getColor(key, look).value_or(fallback);
}

void Widget::drawFrame(sf::RenderTarget& target, const sf::FloatRect& area, sf::Color background,
                       sf::Color borderColor, const Borders& borders, const std::string& textureKey) const {
    const auto texture = textureKey.empty() ? std::nullopt : renderer->getTexture(textureKey, currentLook());
    if (texture && texture->texture) {
        drawTexture(target, *texture, area);
    } else if (background.a > 0) {
        sf::RectangleShape fill({area.width, area.height});
        fill.setPosition(area.left, area.top);
        fill.setFillColor(background);
        target.draw(fill);
    }
    if (borderColor.a == 0) {
        return;
    }
    const sf::FloatRect edges[] = {
        {area.left, area.top, borders.left, area.height},
        {area.left + area.width - borders.right, area.top, borders.right, area.height},
        {area.left, area.top, area.width, borders.top},
        {area.left, area.top + area.height - borders.bottom, area.width, borders.bottom},
    };
    for (const auto& edge : edges) {
        if (edge.width <= 0 || edge.height <= 0) {
            continue;
        }
        sf::RectangleShape line({edge.width, edge.height});
        line.setPosition(edge.left, edge.top);
        line.setFillColor(borderColor);
        target.draw(line);
    }
}

sf::Text Widget::makeText(const std::string& utf8, const sf::Font& font, unsigned size, sf::Color color) {
    sf::Text text(sf::String::fromUtf8(utf8.begin(), utf8.end()), font, size);
    text.setFillColor(color);
    return text;
}

sf::Vector2f Widget::measureText(const std::string& utf8, const sf::Font& font, unsigned size) {
    const sf::Text text = makeText(utf8, font, size, sf::Color::White);
    return {text.findCharacterPos(text.getString().getSize()).x, font.getLineSpacing(size)};
}

void Widget::drawCentredText(sf::RenderTarget& target, sf::Text text, sf::Vector2f centre) {
    const sf::Font* font = text.getFont();
    const float width = text.findCharacterPos(text.getString().getSize()).x;
    const float height = font->getLineSpacing(text.getCharacterSize());
    drawText(target, std::move(text), {centre.x - width / 2, centre.y - height / 2});
}

void Widget::drawText(sf::RenderTarget& target, sf::Text text, sf::Vector2f position) {
    // Through a scaled view a text would be a stretched bitmap: rasterise it at the size it is shown
    // and shrink it back, so it stays crisp in a large window.
    const sf::View& view = target.getView();
    const float shown = static_cast<float>(target.getViewport(view).height);
    const float scale = view.getSize().y > 0 && shown > 0 ? shown / view.getSize().y : 1.f;
    if (std::abs(scale - 1.f) > 0.001f) {
        const unsigned size = text.getCharacterSize();
        text.setCharacterSize(static_cast<unsigned>(std::max(1.f, std::round(size * scale))));
        text.setScale(1.f / scale, 1.f / scale);
    }
    // Whole pixels of the window keep the glyphs crisp.
    const sf::Vector2f corner = view.getCenter() - view.getSize() / 2.f;
    text.setPosition(corner.x + std::round((position.x - corner.x) * scale) / scale,
                     corner.y + std::round((position.y - corner.y) * scale) / scale);
    target.draw(text);
}

void Widget::drawTexture(sf::RenderTarget& target, const UiTexture& texture, const sf::FloatRect& area) {
    sf::Sprite sprite(*texture.texture);
    if (texture.part.width > 0 && texture.part.height > 0) {
        sprite.setTextureRect(texture.part);
    }
    const sf::FloatRect bounds = sprite.getLocalBounds();
    if (bounds.width <= 0 || bounds.height <= 0) {
        return;
    }
    sprite.setPosition(area.left, area.top);
    sprite.setScale(area.width / bounds.width, area.height / bounds.height);
    target.draw(sprite);
}

} // namespace ui
