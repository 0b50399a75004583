#pragma once

#include <SFML/Graphics.hpp>
#include <string>

namespace assetgen {

// Where a text's reference point sits: its left edge, centre or right edge, on the middle of its glyphs.
enum class Anchor { Left, Centre, Right };

// A drawing surface in "authored" units that is rendered oversized and box-filtered down to the stored
// picture size, so shapes and text get smooth edges without relying on the driver's multisampling.
// The authored area is stretched to fill the stored picture (the start picture is authored 800x600 and
// stored 800x800). Needs a GL context: run under a display (Xvfb is fine); without one the drawing calls
// do nothing and finish() throws std::runtime_error.
class Canvas {
public:
    Canvas(sf::Vector2u storedSize, sf::Vector2f authoredSize, unsigned supersample = 3);

    void clear(sf::Color colour);
    void draw(const sf::Drawable& drawable, const sf::RenderStates& states = sf::RenderStates::Default);

    void verticalGradient(sf::FloatRect area, sf::Color top, sf::Color bottom);
    void ellipse(sf::Vector2f centre, sf::Vector2f radii, sf::Color fill, float rotationDegrees = 0.f);
    void rectangle(sf::FloatRect area, sf::Color fill, float rotationDegrees = 0.f);
    void roundedRectangle(sf::FloatRect area, float radius, sf::Color fill,
                          sf::Color outline = sf::Color::Transparent, float outlineThickness = 0.f);
    // A thick arc of a circle, angles in degrees, 0 pointing right and growing clockwise.
    void arc(sf::Vector2f centre, float radius, float thickness, float fromDegrees, float toDegrees,
             sf::Color colour);
    void line(sf::Vector2f from, sf::Vector2f to, float thickness, sf::Color colour);
    // A soft round glow: stacked translucent discs fading towards the rim.
    void glow(sf::Vector2f centre, float radius, sf::Color colour, int rings = 12);

    // Draws text whose glyphs are rasterised at the final pixel density, so it stays crisp.
    // Returns the authored-unit bounds of the drawn text.
    sf::FloatRect text(const sf::Font& font, const std::string& string, float size, sf::Vector2f position,
                       Anchor anchor, sf::Color fill, sf::Color outline = sf::Color::Transparent,
                       float outlineThickness = 0.f);

    // The finished picture at its stored size, with straight (not premultiplied) alpha.
    sf::Image finish();

private:
    sf::RenderTexture target;
    sf::Vector2u storedSize;
    sf::Vector2f authoredSize;
    unsigned supersample;
    bool created = false;
};

} // namespace assetgen
