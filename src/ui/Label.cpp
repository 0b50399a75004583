#include "ui/Label.hpp"

#include <algorithm>
#include <cmath>

namespace ui {

namespace {

const unsigned kDefaultTextSize = 13;
const sf::Color kDefaultText(60, 60, 60);

} // namespace

Label::Label(const std::string& initialText) : text(initialText), textSize(kDefaultTextSize) {}

std::shared_ptr<Label> Label::create(const std::string& text) {
    return std::make_shared<Label>(text);
}

sf::Vector2f Label::contentSize() const {
    const unsigned size = textSize ? textSize : kDefaultTextSize;
    const Borders borders = bordersOr({});
    // A text of several lines is as tall as sf::Text's own bounds say.
    sf::Vector2f textExtent(0, static_cast<float>(size));
    if (getFont()) {
        const sf::Text measured = makeText(text, *getFont(), size, sf::Color::White);
        const sf::FloatRect bounds = measured.getLocalBounds();
        textExtent = {bounds.left + bounds.width,
                      std::max(bounds.top + bounds.height, getFont()->getLineSpacing(size))};
    }
    return {std::ceil(textExtent.x + borders.left + borders.right),
            std::ceil(textExtent.y + borders.top + borders.bottom)};
}

void Label::draw(sf::RenderTarget& target, const sf::Font* font) const {
    const Look look = currentLook();
    const Borders borders = bordersOr({});
    drawFrame(target, {getPosition(), getSize()}, colorOr("BackgroundColor", look, sf::Color::Transparent),
              colorOr("BorderColor", look, sf::Color::Transparent), borders, "");
    if (!font || text.empty()) {
        return;
    }
    sf::Text shownText = makeText(text, *font, textSize ? textSize : kDefaultTextSize,
                                  colorOr("TextColor", look, kDefaultText));
    drawText(target, shownText, {getPosition().x + borders.left, getPosition().y + borders.top});
}

} // namespace ui
