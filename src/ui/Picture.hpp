#pragma once

#include "ui/Widget.hpp"

namespace ui {

// A texture stretched over the widget's area (style key Texture). Without a size it takes the
// texture's own size. By default it catches the mouse like any widget.
class Picture : public Widget {
public:
    Picture() = default;
    static std::shared_ptr<Picture> create();
    // Keeps its own copy of the texture.
    static std::shared_ptr<Picture> create(const sf::Texture& texture);

    void setIgnoreMouseEvents(bool ignore) { ignoreMouse = ignore; }
    bool getIgnoreMouseEvents() const { return ignoreMouse; }
    bool ignoresMouse() const override { return ignoreMouse; }

    void draw(sf::RenderTarget& target, const sf::Font* font) const override;

protected:
    sf::Vector2f contentSize() const override;

private:
    bool ignoreMouse = false;
};

} // namespace ui
