#include "ui/CheckBox.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <cmath>

namespace ui {

namespace {

const unsigned kDefaultTextSize = 13;
const float kDefaultBoxSide = 24;
const Borders kDefaultBorders{1, 1, 1, 1};
const sf::Color kDefaultBackground(255, 255, 255);
const sf::Color kDefaultForeground(60, 60, 60);
// Gap between box and text, as a share of the box's width.
const float kTextGapShare = 0.2f;
const float kFittedLineShare = 0.8f;
// The tick, in box-relative coordinates, and its stroke as a share of the box's width.
const sf::Vector2f kTick[] = {{0.2f, 0.52f}, {0.42f, 0.74f}, {0.8f, 0.28f}};
const float kTickStroke = 0.13f;

} // namespace

CheckBox::CheckBox(const std::string& initialText) : text(initialText), textSize(kDefaultTextSize) {}

std::shared_ptr<CheckBox> CheckBox::create(const std::string& text) {
    return std::make_shared<CheckBox>(text);
}

sf::Vector2f CheckBox::contentSize() const {
    return {kDefaultBoxSide, kDefaultBoxSide};
}

void CheckBox::clicked() {
    checked = !checked;
    onClick.emit();
}

unsigned CheckBox::effectiveTextSize() const {
    if (textSize > 0) {
        return textSize;
    }
    const sf::Font* font = getFont();
    const float lineShare = font ? font->getLineSpacing(100) / 100.f : 1.2f;
    return static_cast<unsigned>(std::max(1.f, std::floor(getSize().y * kFittedLineShare / lineShare)));
}

float CheckBox::textGap() const {
    return getSize().x * kTextGapShare;
}

bool CheckBox::isMouseOnWidget(sf::Vector2f point) const {
    return focusArea().contains(point);
}

sf::FloatRect CheckBox::focusArea() const {
    sf::FloatRect area(getPosition(), getSize());
    if (getFont() && !text.empty()) {
        area.width += textGap() + measureText(text, *getFont(), effectiveTextSize()).x;
    }
    return area;
}

void CheckBox::drawCheckMark(sf::RenderTarget& target, const sf::FloatRect& box) const {
    const float stroke = box.width * kTickStroke;
    const sf::Color color = colorOr("CheckColor", currentLook(), kDefaultForeground);
    for (int i = 0; i < 2; ++i) {
        const sf::Vector2f from(box.left + kTick[i].x * box.width, box.top + kTick[i].y * box.height);
        const sf::Vector2f to(box.left + kTick[i + 1].x * box.width, box.top + kTick[i + 1].y * box.height);
        const sf::Vector2f delta = to - from;
        const float length = std::hypot(delta.x, delta.y);
        // Stretch each stroke by half its thickness at both ends so the corner closes.
        sf::RectangleShape line({length + stroke, stroke});
        line.setOrigin(stroke / 2, stroke / 2);
        line.setPosition(from);
        line.setRotation(std::atan2(delta.y, delta.x) * 180.f / 3.14159265f);
        line.setFillColor(color);
        target.draw(line);
    }
}

void CheckBox::draw(sf::RenderTarget& target, const sf::Font* font) const {
    const Look look = currentLook();
    const sf::FloatRect box(getPosition(), getSize());
    const auto texture = getRenderer()->getTexture(checked ? "TextureChecked" : "TextureUnchecked", look);
    if (texture && texture->texture) {
        drawTexture(target, *texture, box);
    } else {
        drawFrame(target, box, colorOr("BackgroundColor", look, kDefaultBackground),
                  colorOr("BorderColor", look, kDefaultForeground), bordersOr(kDefaultBorders), "");
        if (checked) {
            drawCheckMark(target, box);
        }
    }
    if (!font || text.empty()) {
        return;
    }
    sf::Color color = colorOr("TextColor", look, kDefaultForeground);
    if (look == Look::Disabled && !getRenderer()->getColor("TextColorDisabled")) {
        color.a /= 2;
    }
    const unsigned size = effectiveTextSize();
    const float width = measureText(text, *font, size).x;
    drawCentredText(target, makeText(text, *font, size, color),
                    {box.left + box.width + textGap() + width / 2, box.top + box.height / 2});
}

} // namespace ui
