#include "Canvas.hpp"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

namespace assetgen {

namespace {

constexpr float kPi = 3.14159265358979f;

sf::Vector2f onCircle(sf::Vector2f centre, float radius, float degrees) {
    const float radians = degrees * kPi / 180.f;
    return {centre.x + radius * std::cos(radians), centre.y + radius * std::sin(radians)};
}

sf::Uint8 clampToByte(double value) {
    return static_cast<sf::Uint8>(std::clamp(std::lround(value), 0L, 255L));
}

} // namespace

Canvas::Canvas(sf::Vector2u storedSize, sf::Vector2f authoredSize, unsigned supersample)
    : storedSize(storedSize), authoredSize(authoredSize), supersample(supersample) {
    created = target.create(storedSize.x * supersample, storedSize.y * supersample);
    if (created) {
        target.setView(sf::View(sf::FloatRect(0.f, 0.f, authoredSize.x, authoredSize.y)));
        target.clear(sf::Color::Transparent);
    }
}

void Canvas::clear(sf::Color colour) {
    target.clear(colour);
}

void Canvas::draw(const sf::Drawable& drawable, const sf::RenderStates& states) {
    target.draw(drawable, states);
}

void Canvas::verticalGradient(sf::FloatRect area, sf::Color top, sf::Color bottom) {
    sf::VertexArray quad(sf::Quads, 4);
    quad[0] = sf::Vertex({area.left, area.top}, top);
    quad[1] = sf::Vertex({area.left + area.width, area.top}, top);
    quad[2] = sf::Vertex({area.left + area.width, area.top + area.height}, bottom);
    quad[3] = sf::Vertex({area.left, area.top + area.height}, bottom);
    target.draw(quad);
}

void Canvas::ellipse(sf::Vector2f centre, sf::Vector2f radii, sf::Color fill, float rotationDegrees) {
    constexpr std::size_t kPoints = 72;
    sf::ConvexShape shape(kPoints);
    for (std::size_t i = 0; i < kPoints; ++i) {
        const float angle = 2.f * kPi * static_cast<float>(i) / kPoints;
        shape.setPoint(i, {radii.x * std::cos(angle), radii.y * std::sin(angle)});
    }
    shape.setFillColor(fill);
    shape.setPosition(centre);
    shape.setRotation(rotationDegrees);
    target.draw(shape);
}

void Canvas::rectangle(sf::FloatRect area, sf::Color fill, float rotationDegrees) {
    sf::RectangleShape shape({area.width, area.height});
    shape.setOrigin(area.width / 2.f, area.height / 2.f);
    shape.setPosition(area.left + area.width / 2.f, area.top + area.height / 2.f);
    shape.setRotation(rotationDegrees);
    shape.setFillColor(fill);
    target.draw(shape);
}

void Canvas::roundedRectangle(sf::FloatRect area, float radius, sf::Color fill, sf::Color outline,
                              float outlineThickness) {
    constexpr std::size_t kCornerPoints = 10;
    const sf::Vector2f corners[4] = {{area.left + area.width - radius, area.top + area.height - radius},
                                     {area.left + radius, area.top + area.height - radius},
                                     {area.left + radius, area.top + radius},
                                     {area.left + area.width - radius, area.top + radius}};
    sf::ConvexShape shape(4 * kCornerPoints);
    for (std::size_t corner = 0; corner < 4; ++corner) {
        for (std::size_t i = 0; i < kCornerPoints; ++i) {
            const float degrees = 90.f * corner + 90.f * static_cast<float>(i) / (kCornerPoints - 1);
            shape.setPoint(corner * kCornerPoints + i, onCircle(corners[corner], radius, degrees));
        }
    }
    shape.setFillColor(fill);
    shape.setOutlineColor(outline);
    shape.setOutlineThickness(outlineThickness);
    target.draw(shape);
}

void Canvas::arc(sf::Vector2f centre, float radius, float thickness, float fromDegrees, float toDegrees,
                 sf::Color colour) {
    constexpr int kSteps = 48;
    sf::VertexArray strip(sf::TriangleStrip);
    for (int i = 0; i <= kSteps; ++i) {
        const float degrees = fromDegrees + (toDegrees - fromDegrees) * static_cast<float>(i) / kSteps;
        strip.append(sf::Vertex(onCircle(centre, radius - thickness / 2.f, degrees), colour));
        strip.append(sf::Vertex(onCircle(centre, radius + thickness / 2.f, degrees), colour));
    }
    target.draw(strip);
}

void Canvas::line(sf::Vector2f from, sf::Vector2f to, float thickness, sf::Color colour) {
    const sf::Vector2f delta = to - from;
    const float length = std::sqrt(delta.x * delta.x + delta.y * delta.y);
    sf::RectangleShape shape({length, thickness});
    shape.setOrigin(0.f, thickness / 2.f);
    shape.setPosition(from);
    shape.setRotation(std::atan2(delta.y, delta.x) * 180.f / kPi);
    shape.setFillColor(colour);
    target.draw(shape);
    // Round caps keep thick strokes from looking chopped off.
    ellipse(from, {thickness / 2.f, thickness / 2.f}, colour);
    ellipse(to, {thickness / 2.f, thickness / 2.f}, colour);
}

void Canvas::glow(sf::Vector2f centre, float radius, sf::Color colour, int rings) {
    sf::Color ring = colour;
    ring.a = static_cast<sf::Uint8>(colour.a / rings);
    for (int i = rings; i >= 1; --i) {
        const float r = radius * static_cast<float>(i) / rings;
        ellipse(centre, {r, r}, ring);
    }
}

sf::FloatRect Canvas::text(const sf::Font& font, const std::string& string, float size, sf::Vector2f position,
                           Anchor anchor, sf::Color fill, sf::Color outline, float outlineThickness) {
    const float density = static_cast<float>(storedSize.y * supersample) / authoredSize.y;
    sf::Text drawn(sf::String::fromUtf8(string.begin(), string.end()), font,
                   static_cast<unsigned>(std::lround(size * density)));
    drawn.setFillColor(fill);
    drawn.setOutlineColor(outline);
    drawn.setOutlineThickness(outlineThickness * density);
    const sf::FloatRect local = drawn.getLocalBounds();
    const float anchorShare = anchor == Anchor::Left ? 0.f : anchor == Anchor::Centre ? 0.5f : 1.f;
    drawn.setOrigin(local.left + local.width * anchorShare, local.top + local.height / 2.f);
    drawn.setScale(1.f / density, 1.f / density);
    drawn.setPosition(position);
    target.draw(drawn);
    return drawn.getGlobalBounds();
}

sf::Image Canvas::finish() {
    if (!created) {
        throw std::runtime_error("cannot create a " + std::to_string(storedSize.x * supersample) + "x" +
                                 std::to_string(storedSize.y * supersample) + " render texture to draw on");
    }
    sf::Image result;
    result.create(storedSize.x, storedSize.y, sf::Color::Transparent);
    target.display();
    const sf::Image large = target.getTexture().copyToImage();
    const double samples = static_cast<double>(supersample * supersample);
    for (unsigned y = 0; y < storedSize.y; ++y) {
        for (unsigned x = 0; x < storedSize.x; ++x) {
            // The render texture holds premultiplied colour (blending onto a transparent clear), so the
            // block average is taken premultiplied and divided by the coverage afterwards.
            double red = 0, green = 0, blue = 0, alpha = 0;
            for (unsigned dy = 0; dy < supersample; ++dy) {
                for (unsigned dx = 0; dx < supersample; ++dx) {
                    const sf::Color c = large.getPixel(x * supersample + dx, y * supersample + dy);
                    red += c.r;
                    green += c.g;
                    blue += c.b;
                    alpha += c.a;
                }
            }
            if (alpha <= 0.0) {
                continue;
            }
            const double unpremultiply = 255.0 / alpha;
            result.setPixel(x, y,
                            sf::Color(clampToByte(red * unpremultiply), clampToByte(green * unpremultiply),
                                      clampToByte(blue * unpremultiply), clampToByte(alpha / samples)));
        }
    }
    return result;
}

} // namespace assetgen
