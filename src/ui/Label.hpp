#pragma once

#include "ui/Widget.hpp"

namespace ui {

/// Text drawn from the widget's top-left corner. Without a size it fits its text.
/// Style keys: TextColor, BackgroundColor, BorderColor, Borders.
class Label : public Widget {
public:
    explicit Label(const std::string& text = "");
    static std::shared_ptr<Label> create(const std::string& text = "");

    void setText(const std::string& text) { m_text = text; }
    const std::string& getText() const { return m_text; }
    void setTextSize(unsigned size) { m_textSize = size; }
    unsigned getTextSize() const { return m_textSize; }

    void draw(sf::RenderTarget& target, const sf::Font* font) const override;

protected:
    sf::Vector2f contentSize() const override;

private:
    std::string m_text;
    unsigned m_textSize;
};

} // namespace ui
