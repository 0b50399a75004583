#pragma once

#include "ui/Widget.hpp"

namespace ui {

/// A box that a click checks or unchecks, with its text to the right; the text is part of the hit area.
/// Size is the box's. Style keys: TextColor, BackgroundColor, BorderColor, CheckColor (each also *Hover,
/// *Disabled), Borders, TextureUnchecked and TextureChecked.
class CheckBox : public Widget {
public:
    explicit CheckBox(const std::string& text = "");
    static std::shared_ptr<CheckBox> create(const std::string& text = "");

    /// Does not emit onClick: only a click by the player does.
    void setChecked(bool checked) { m_checked = checked; }
    bool isChecked() const { return m_checked; }
    void setText(const std::string& text) { m_text = text; }
    const std::string& getText() const { return m_text; }
    /// 0 fits the text to the box's height.
    void setTextSize(unsigned size) { m_textSize = size; }
    unsigned getTextSize() const { return m_textSize; }

    void draw(sf::RenderTarget& target, const sf::Font* font) const override;
    bool isMouseOnWidget(sf::Vector2f point) const override;

protected:
    sf::Vector2f contentSize() const override;
    /// Flips the box, then emits onClick.
    void clicked() override;

private:
    unsigned effectiveTextSize() const;
    float textGap() const;
    void drawCheckMark(sf::RenderTarget& target, const sf::FloatRect& box) const;

    std::string m_text;
    unsigned m_textSize;
    bool m_checked = false;
};

} // namespace ui
