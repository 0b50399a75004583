#pragma once

#include "ui/Widget.hpp"

namespace ui {

// A push button with centred text. Without a size it fits itself around its text.
// Style keys: TextColor, BackgroundColor, BorderColor, Texture (each also *Hover, *Down, *Disabled)
// and Borders. Hover and down backgrounds are derived from BackgroundColor when not given.
class Button : public Widget {
public:
    explicit Button(const std::string& initialText = "");
    static std::shared_ptr<Button> create(const std::string& text = "");

    // UTF-8 text.
    void setText(const std::string& newText) { text = newText; }
    const std::string& getText() const { return text; }
    // Character size in pixels; 0 fits the text to the button's size.
    void setTextSize(unsigned size) { textSize = size; }
    unsigned getTextSize() const { return textSize; }

    void draw(sf::RenderTarget& target, const sf::Font* font) const override;
    bool takesFocus() const override { return true; }

protected:
    sf::Vector2f contentSize() const override;

    // Draws background and borders and returns the area inside the borders.
    sf::FloatRect drawButtonFrame(sf::RenderTarget& target) const;
    // The character size to draw with inside `inner`.
    unsigned textSizeFor(const sf::Font& font, const sf::FloatRect& inner) const;
    sf::Color textColor() const;
    // Space kept left and right of the text.
    float textPadding() const;
    Borders buttonBorders() const;

private:
    sf::Color backgroundColor(Look look) const;

    std::string text;
    unsigned textSize;
};

} // namespace ui
