#pragma once

#include "ui/Widget.hpp"

namespace ui {

// A box that a click checks or unchecks, with its text to the right; the text is part of the hit area.
// Size is the box's. Style keys: TextColor, BackgroundColor, BorderColor, CheckColor (each also *Hover,
// *Disabled), Borders, TextureUnchecked and TextureChecked.
class CheckBox : public Widget {
public:
    explicit CheckBox(const std::string& initialText = "");
    static std::shared_ptr<CheckBox> create(const std::string& text = "");

    // Does not emit onClick: only a click by the player does.
    void setChecked(bool check) { checked = check; }
    bool isChecked() const { return checked; }
    void setText(const std::string& newText) { text = newText; }
    const std::string& getText() const { return text; }
    // 0 fits the text to the box's height.
    void setTextSize(unsigned size) { textSize = size; }
    unsigned getTextSize() const { return textSize; }
    // The room between the box and its words.
    float textGap() const;

    void draw(sf::RenderTarget& target, const sf::Font* font) const override;
    bool takesFocus() const override { return true; }
    bool isMouseOnWidget(sf::Vector2f point) const override;
    // The box and its text, as the hit area.
    sf::FloatRect focusArea() const override;

protected:
    sf::Vector2f contentSize() const override;
    // Flips the box, then emits onClick.
    void clicked() override;

private:
    unsigned effectiveTextSize() const;
    void drawCheckMark(sf::RenderTarget& target, const sf::FloatRect& box) const;

    std::string text;
    unsigned textSize;
    bool checked = false;
};

} // namespace ui
