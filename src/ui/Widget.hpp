#pragma once

#include "ui/Renderer.hpp"
#include "ui/Signal.hpp"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/System/Vector2.hpp>
#include <SFML/Window/Keyboard.hpp>
#include <memory>
#include <optional>
#include <string>

namespace ui {

// Base of all widgets. Positions and sizes are in the window's pixels.
// The mouse hooks are called by the Gui; a click is a left press and a left release on the same
// enabled widget, and it emits onClick. Widgets that take the focus can be reached and activated
// without the mouse; the focused one is drawn in its hover look.
class Widget : public std::enable_shared_from_this<Widget> {
public:
    Widget();
    virtual ~Widget() = default;
    Widget(const Widget&) = delete;
    Widget& operator=(const Widget&) = delete;

    void setPosition(sf::Vector2f newPosition) { position = newPosition; }
    sf::Vector2f getPosition() const { return position; }

    // Fixes the size; widgets that fit themselves to their content stop doing so.
    void setSize(sf::Vector2f size) { fixedSize = size; }
    // The fixed size, or the size the content needs when none was set.
    sf::Vector2f getSize() const { return fixedSize ? *fixedSize : contentSize(); }

    // A hidden widget is neither drawn nor hit by the mouse; hiding it drops its hover and pressed state.
    void setVisible(bool show);
    bool isVisible() const { return visible; }
    // A disabled widget is drawn in its disabled look and swallows the mouse without reacting.
    void setEnabled(bool enable);
    bool isEnabled() const { return enabled; }

    // Never null. Several widgets may share one renderer.
    std::shared_ptr<Renderer> getRenderer() const { return renderer; }
    void setRenderer(std::shared_ptr<Renderer> newRenderer);

    // The font used to measure the widget's text; the Gui hands its own font to the widgets it holds.
    void setFont(std::shared_ptr<const sf::Font> font) { measuringFont = std::move(font); }
    const sf::Font* getFont() const { return measuringFont.get(); }

    // Draws in the target's current view; `font` may be null, then no text is drawn.
    virtual void draw(sf::RenderTarget& target, const sf::Font* font) const = 0;

    // True when `point` lies in [x, x + w) x [y, y + h).
    virtual bool isMouseOnWidget(sf::Vector2f point) const;
    // What the focus ring goes round: the widget's own rectangle, or more when its text lies outside it.
    virtual sf::FloatRect focusArea() const { return {getPosition(), getSize()}; }
    // Widgets that ignore the mouse are skipped by hit-testing, as if not there.
    virtual bool ignoresMouse() const { return false; }

    void setHovered(bool hover) { hovered = hover; }
    bool isHovered() const { return hovered; }
    void leftMousePressed();
    // Clicks when the press happened on this widget; the widget must be kept alive by the caller,
    // since a click handler may drop every other reference to it.
    void leftMouseReleased();
    void leftMouseButtonNoLongerDown() { pressed = false; }
    bool isPressed() const { return pressed; }

    // Whether the Gui may move the focus here; visible, enabled widgets only.
    virtual bool takesFocus() const { return false; }
    void setFocused(bool focus) { focused = focus; }
    bool isFocused() const { return focused; }
    // A key pressed while this widget has the focus; true when the widget used it (a slider takes
    // Left and Right), so the Gui does not move the focus with it.
    virtual bool focusedKeyPressed(sf::Keyboard::Key) { return false; }
    // As a click, for the keyboard and the pad: emits onClick when enabled and visible. The caller keeps
    // the widget alive, as for leftMouseReleased.
    void activate();

    Signal onClick;

protected:
    // The size when none was set.
    virtual sf::Vector2f contentSize() const { return {0, 0}; }
    // Reacts to a click; by default emits onClick.
    virtual void clicked();
    // The pointer, in the Gui's view, at a left press on the widget and at each move while it is held;
    // by default nothing happens.
    virtual void mouseDragged(sf::Vector2f) {}

    friend class Gui;

    Look currentLook() const;
    Borders bordersOr(const Borders& fallback) const;
    sf::Color colorOr(const std::string& key, Look look, sf::Color fallback) const;

    // The background (or its texture) and the borders of `area`, in the widget's current look.
    void drawFrame(sf::RenderTarget& target, const sf::FloatRect& area, sf::Color background,
                   sf::Color borderColor, const Borders& borders, const std::string& textureKey) const;

    static sf::Text makeText(const std::string& utf8, const sf::Font& font, unsigned size, sf::Color color);
    // Width of the text's advance and the font's line height, for layout that does not jitter with glyphs.
    static sf::Vector2f measureText(const std::string& utf8, const sf::Font& font, unsigned size);
    // Draws the text with its line box centred on `centre`.
    static void drawCentredText(sf::RenderTarget& target, sf::Text text, sf::Vector2f centre);
    // Draws the text with its top-left corner at `position`, rasterised at the size the view shows it.
    static void drawText(sf::RenderTarget& target, sf::Text text, sf::Vector2f position);
    static void drawTexture(sf::RenderTarget& target, const UiTexture& texture, const sf::FloatRect& area);

private:
    sf::Vector2f position;
    std::optional<sf::Vector2f> fixedSize;
    bool visible = true;
    bool enabled = true;
    bool hovered = false;
    bool pressed = false;
    bool focused = false;
    std::shared_ptr<Renderer> renderer;
    std::shared_ptr<const sf::Font> measuringFont;
};

} // namespace ui
