#include "ui/Button.hpp"

#include <algorithm>
#include <cmath>

namespace ui {

namespace {

const unsigned kDefaultTextSize = 13;
const Borders kDefaultBorders{1, 1, 1, 1};
const sf::Color kDefaultBackground(245, 245, 245);
const sf::Color kDefaultText(60, 60, 60);
const sf::Color kDefaultBorder(60, 60, 60);
// How far hover lightens and a press darkens a background that has no explicit variant.
const float kHoverLighten = 0.25f;
const float kDownDarken = 0.2f;
// A fitted text's line takes this share of the inner height.
const float kFittedLineShare = 0.8f;
// Self-sized buttons are this many line heights tall, leaving air above and below the text.
const float kAutoHeightLines = 1.25f;
// Room left and right of the text, per pixel of text size. Generous on purpose: the egg counter sits
// partly off the window's left edge and relies on it to keep its first digit in view.
const float kPaddingPerTextSize = 0.6f;
const unsigned kMeasureSize = 100;

// Mixes towards white (amount > 0) or black (amount < 0), keeping the alpha.
sf::Color shade(sf::Color color, float amount) {
    const float target = amount > 0 ? 255.f : 0.f;
    const float share = std::abs(amount);
    auto mix = [&](sf::Uint8 channel) {
        return static_cast<sf::Uint8>(std::lround(channel + (target - channel) * share));
    };
    return {mix(color.r), mix(color.g), mix(color.b), color.a};
}

} // namespace

Button::Button(const std::string& initialText) : text(initialText), textSize(kDefaultTextSize) {}

std::shared_ptr<Button> Button::create(const std::string& text) {
    return std::make_shared<Button>(text);
}

float Button::textPadding() const {
    return (textSize ? textSize : kDefaultTextSize) * kPaddingPerTextSize;
}

Borders Button::buttonBorders() const {
    return bordersOr(kDefaultBorders);
}

sf::Vector2f Button::contentSize() const {
    const unsigned size = textSize ? textSize : kDefaultTextSize;
    const Borders borders = buttonBorders();
    sf::Vector2f textExtent(0, static_cast<float>(size));
    if (getFont()) {
        textExtent = measureText(text, *getFont(), size);
    }
    return {std::ceil(textExtent.x + 2 * textPadding() + borders.left + borders.right),
            std::ceil(textExtent.y * kAutoHeightLines + borders.top + borders.bottom)};
}

sf::Color Button::backgroundColor(Look look) const {
    const Renderer& style = *getRenderer();
    const sf::Color base = style.getColor("BackgroundColor").value_or(kDefaultBackground);
    switch (look) {
    case Look::Hover:
        return style.getColor("BackgroundColorHover").value_or(shade(base, kHoverLighten));
    case Look::Down:
        return style.getColor("BackgroundColorDown").value_or(shade(base, -kDownDarken));
    case Look::Disabled:
        return style.getColor("BackgroundColorDisabled").value_or(base);
    case Look::Normal:
        break;
    }
    return base;
}

sf::Color Button::textColor() const {
    const Look look = currentLook();
    sf::Color color = colorOr("TextColor", look, kDefaultText);
    if (look == Look::Disabled && !getRenderer()->getColor("TextColorDisabled")) {
        color.a /= 2;
    }
    return color;
}

sf::FloatRect Button::drawButtonFrame(sf::RenderTarget& target) const {
    const Look look = currentLook();
    const sf::FloatRect area(getPosition(), getSize());
    const Borders borders = buttonBorders();
    drawFrame(target, area, backgroundColor(look), colorOr("BorderColor", look, kDefaultBorder), borders,
              "Texture");
    return {area.left + borders.left, area.top + borders.top, area.width - borders.left - borders.right,
            area.height - borders.top - borders.bottom};
}

unsigned Button::textSizeFor(const sf::Font& font, const sf::FloatRect& inner) const {
    if (textSize > 0) {
        return textSize;
    }
    // Text grows in proportion to its character size, so one measurement finds the fitting size.
    const sf::Vector2f reference = measureText(text, font, kMeasureSize);
    float size = inner.height * kFittedLineShare / reference.y * kMeasureSize;
    if (reference.x > 0) {
        const float widthFit = inner.width / (reference.x / kMeasureSize + 2 * kPaddingPerTextSize);
        size = std::min(size, widthFit);
    }
    return static_cast<unsigned>(std::max(1.f, std::floor(size)));
}

void Button::draw(sf::RenderTarget& target, const sf::Font* font) const {
    const sf::FloatRect inner = drawButtonFrame(target);
    if (!font || text.empty()) {
        return;
    }
    const sf::Text shownText = makeText(text, *font, textSizeFor(*font, inner), textColor());
    drawCentredText(target, shownText, {inner.left + inner.width / 2, inner.top + inner.height / 2});
}

} // namespace ui
