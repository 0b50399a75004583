#pragma once

#include "ui/Widget.hpp"

namespace ui {

// Text drawn from the widget's top-left corner. Without a size it fits its text.
// Style keys: TextColor, BackgroundColor, BorderColor, Borders.
class Label : public Widget {
public:
    explicit Label(const std::string& initialText = "");
    static std::shared_ptr<Label> create(const std::string& text = "");

    void setText(const std::string& newText) { text = newText; }
    const std::string& getText() const { return text; }
    void setTextSize(unsigned size) { textSize = size; }
    unsigned getTextSize() const { return textSize; }

    void draw(sf::RenderTarget& target, const sf::Font* font) const override;

protected:
    sf::Vector2f contentSize() const override;

private:
    std::string text;
    unsigned textSize;
};

} // namespace ui
