#pragma once

#include "ui/Button.hpp"

namespace ui {

// A button showing an image, centred, with its text (if any) to the image's right. Without a size it
// fits itself around image and text; with one, a larger image is scaled down to fit, keeping its shape.
class BitmapButton : public Button {
public:
    explicit BitmapButton(const std::string& initialText = "");
    static std::shared_ptr<BitmapButton> create(const std::string& text = "");

    // Keeps its own copy of the texture, so the caller's may go away.
    void setImage(const sf::Texture& texture);
    // Shares a texture, or a part of one.
    void setImage(UiTexture newImage) { image = std::move(newImage); }
    const UiTexture& getImage() const { return image; }

    void draw(sf::RenderTarget& target, const sf::Font* font) const override;

protected:
    sf::Vector2f contentSize() const override;

private:
    sf::Vector2f imageSize() const;
    float spacing() const;

    UiTexture image;
};

} // namespace ui
