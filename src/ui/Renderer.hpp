#pragma once

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <map>
#include <memory>
#include <optional>
#include <string>

namespace ui {

// Border widths in pixels, drawn inside the widget's area.
struct Borders {
    float left = 0;
    float top = 0;
    float right = 0;
    float bottom = 0;
};

// A texture, or the part of one, that a style draws stretched over an area.
struct UiTexture {
    std::shared_ptr<const sf::Texture> texture;
    sf::IntRect part; // empty: the whole texture
};

// The look a widget is in, which picks the "Hover", "Down" or "Disabled" variant of a style property.
enum class Look { Normal, Hover, Down, Disabled };

// The style of a widget, as in a form's Renderer section. Properties are addressed by their form keys
// ("BackgroundColorHover"); one renderer may be shared by several widgets, and a change shows on all.
// Unset properties leave the widget's own default in place.
class Renderer {
public:
    void setColor(const std::string& key, sf::Color color) { colors[key] = color; }
    void removeColor(const std::string& key) { colors.erase(key); }
    std::optional<sf::Color> getColor(const std::string& key) const;
    // The variant for `look`: Down falls back to Hover, then every look to the plain key.
    std::optional<sf::Color> getColor(const std::string& key, Look look) const;

    void setTexture(const std::string& key, UiTexture texture) { textures[key] = std::move(texture); }
    void removeTexture(const std::string& key) { textures.erase(key); }
    std::optional<UiTexture> getTexture(const std::string& key) const;
    std::optional<UiTexture> getTexture(const std::string& key, Look look) const;

    void setBorders(const Borders& newBorders) { borders = newBorders; }
    void setBorders(float width) { borders = Borders{width, width, width, width}; }
    std::optional<Borders> getBorders() const { return borders; }

    void setTextColor(sf::Color color) { setColor("TextColor", color); }
    void setTextColorHover(sf::Color color) { setColor("TextColorHover", color); }
    void setTextColorDown(sf::Color color) { setColor("TextColorDown", color); }
    void setBackgroundColor(sf::Color color) { setColor("BackgroundColor", color); }
    void setBackgroundColorHover(sf::Color color) { setColor("BackgroundColorHover", color); }
    void setBackgroundColorDown(sf::Color color) { setColor("BackgroundColorDown", color); }
    void setBorderColor(sf::Color color) { setColor("BorderColor", color); }
    void setBorderColorHover(sf::Color color) { setColor("BorderColorHover", color); }
    void setBorderColorDown(sf::Color color) { setColor("BorderColorDown", color); }
    void setCheckColor(sf::Color color) { setColor("CheckColor", color); }

    std::optional<sf::Color> getTextColor() const { return getColor("TextColor"); }
    std::optional<sf::Color> getBackgroundColor() const { return getColor("BackgroundColor"); }
    std::optional<sf::Color> getBorderColor() const { return getColor("BorderColor"); }
    std::optional<sf::Color> getCheckColor() const { return getColor("CheckColor"); }

private:
    std::map<std::string, sf::Color> colors;
    std::map<std::string, UiTexture> textures;
    std::optional<Borders> borders;
};

} // namespace ui
