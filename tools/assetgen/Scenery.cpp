#include "Scenery.hpp"

#include "Random.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

namespace assetgen {
namespace Scenery {

namespace {

constexpr float kPi = 3.14159265358979f;

sf::Vector2f rotated(sf::Vector2f point, float degrees) {
    const float radians = degrees * kPi / 180.f;
    const float c = std::cos(radians), s = std::sin(radians);
    return {point.x * c - point.y * s, point.x * s + point.y * c};
}

void polygon(Canvas& canvas, const std::vector<sf::Vector2f>& points, sf::Color fill) {
    sf::ConvexShape shape(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        shape.setPoint(i, points[i]);
    }
    shape.setFillColor(fill);
    canvas.draw(shape);
}

void eggShape(Canvas& canvas, sf::Vector2f centre, float halfWidth, float halfHeight, float rotationDegrees,
              sf::Color fill) {
    constexpr int kPoints = 64;
    std::vector<sf::Vector2f> points;
    for (int i = 0; i < kPoints; ++i) {
        const float t = 2.f * kPi * static_cast<float>(i) / kPoints;
        // Widening towards the bottom (positive sine) gives the egg its blunt end.
        const sf::Vector2f local(halfWidth * std::cos(t) * (1.f + 0.12f * std::sin(t)),
                                 halfHeight * std::sin(t));
        points.push_back(centre + rotated(local, rotationDegrees));
    }
    polygon(canvas, points, fill);
}

// The dog's body parts, drawn once as the moonlit rim (shifted towards the moon) and once dark on top.
void dogShape(Canvas& canvas, sf::Vector2f feet, float scale, sf::Vector2f shift, sf::Color colour) {
    auto at = [&](float x, float y) { return feet + shift + sf::Vector2f(x * scale, y * scale); };
    auto r = [&](float x, float y) { return sf::Vector2f(x * scale, y * scale); };
    canvas.line(at(10, -40), at(8, 0), 10 * scale, colour); // legs
    canvas.line(at(28, -40), at(32, 0), 10 * scale, colour);
    canvas.line(at(80, -40), at(76, 0), 10 * scale, colour);
    canvas.line(at(98, -42), at(104, 0), 10 * scale, colour);
    canvas.ellipse(at(56, -52), r(54, 24), colour);                      // body
    canvas.ellipse(at(18, -56), r(26, 27), colour);                      // chest
    canvas.line(at(12, -64), at(-4, -88), 26 * scale, colour);           // neck
    canvas.ellipse(at(-12, -96), r(21, 18), colour);                     // head
    canvas.ellipse(at(-36, -90), r(18, 10), colour, 10.f);               // snout
    polygon(canvas, {at(-16, -106), at(-4, -134), at(6, -104)}, colour); // pricked ear
    canvas.line(at(104, -62), at(124, -84), 9 * scale, colour);          // tail, raised: alert
    canvas.line(at(124, -84), at(130, -102), 7 * scale, colour);
}

} // namespace

void nightSky(Canvas& canvas, sf::FloatRect area, sf::Color top, sf::Color bottom, int stars, Random& random,
              sf::Vector2f moonCentre) {
    canvas.verticalGradient(area, top, bottom);
    for (int i = 0; i < stars; ++i) {
        const sf::Vector2f at(static_cast<float>(random.range(area.left, area.left + area.width)),
                              static_cast<float>(random.range(area.top, area.top + area.height * 0.85)));
        const float radius = static_cast<float>(random.range(0.5, 1.7));
        const auto brightness = static_cast<sf::Uint8>(random.range(110, 255));
        const float dx = at.x - moonCentre.x, dy = at.y - moonCentre.y;
        if (dx * dx + dy * dy < 90.f * 90.f) {
            continue;
        }
        if (radius > 1.4f) {
            canvas.glow(at, radius * 4.f, sf::Color(255, 250, 220, 60), 5);
        }
        canvas.ellipse(at, {radius, radius}, sf::Color(255, 250, 232, brightness));
    }
}

void moon(Canvas& canvas, sf::Vector2f centre, float radius) {
    canvas.glow(centre, radius * 3.2f, sf::Color(240, 236, 200, 90), 32);
    canvas.ellipse(centre, {radius, radius}, sf::Color(246, 242, 216));
    const sf::Color crater(224, 218, 190);
    canvas.ellipse(centre + sf::Vector2f(-0.35f, -0.2f) * radius, sf::Vector2f(0.22f, 0.2f) * radius, crater);
    canvas.ellipse(centre + sf::Vector2f(0.3f, 0.25f) * radius, sf::Vector2f(0.16f, 0.14f) * radius, crater);
    canvas.ellipse(centre + sf::Vector2f(0.05f, 0.5f) * radius, sf::Vector2f(0.1f, 0.09f) * radius, crater);
    canvas.ellipse(centre + sf::Vector2f(0.4f, -0.4f) * radius, sf::Vector2f(0.08f, 0.08f) * radius, crater);
}

void hillsAndGround(Canvas& canvas, float horizon, float bottom, float width) {
    canvas.ellipse({width * 0.18f, horizon + 34.f}, {width * 0.34f, 68.f}, sf::Color(24, 32, 66));
    canvas.ellipse({width * 0.8f, horizon + 40.f}, {width * 0.38f, 78.f}, sf::Color(28, 36, 72));
    canvas.ellipse({width * 0.5f, horizon + 30.f}, {width * 0.22f, 44.f}, sf::Color(20, 28, 58));
    canvas.verticalGradient({0.f, horizon, width, bottom - horizon}, sf::Color(30, 56, 44),
                            sf::Color(12, 26, 20));
}

void fence(Canvas& canvas, float left, float right, float groundY, float height) {
    const sf::Color wood(96, 74, 50), shadow(40, 30, 22), moonlit(150, 130, 100);
    const float post = height * 0.16f;
    for (float y : {groundY - height * 0.78f, groundY - height * 0.4f}) {
        canvas.rectangle({left, y - 1.f, right - left, height * 0.13f + 2.f}, shadow);
        canvas.rectangle({left, y, right - left, height * 0.13f}, wood);
        canvas.rectangle({left, y, right - left, 1.5f}, moonlit);
    }
    for (float x = left + post; x < right; x += height * 0.85f) {
        canvas.rectangle({x - post / 2.f - 1.f, groundY - height - 1.f, post + 2.f, height + 1.f}, shadow);
        canvas.rectangle({x - post / 2.f, groundY - height, post, height}, wood);
        canvas.rectangle({x - post / 2.f, groundY - height, post, 2.f}, moonlit);
    }
}

void barn(Canvas& canvas, sf::Vector2f base, float scale) {
    auto at = [&](float x, float y) { return base + sf::Vector2f(x * scale, y * scale); };
    const sf::Color wall(112, 38, 34), roof(58, 28, 30), trim(206, 196, 176), door(82, 26, 24);
    // Gambrel roof, then the walls in front of its lower edge.
    polygon(canvas, {at(-100, -128), at(-70, -180), at(0, -214), at(70, -180), at(100, -128)}, roof);
    canvas.line(at(-100, -128), at(-70, -180), 3 * scale, trim);
    canvas.line(at(-70, -180), at(0, -214), 3 * scale, trim);
    canvas.line(at(0, -214), at(70, -180), 3 * scale, trim);
    canvas.line(at(70, -180), at(100, -128), 3 * scale, trim);
    canvas.rectangle({at(-88, -134).x, at(-88, -134).y, 176 * scale, 134 * scale}, wall);
    for (float x = -70; x < 88; x += 18) {
        canvas.rectangle({at(x, -134).x, at(x, -134).y, 1.5f * scale, 134 * scale}, sf::Color(92, 30, 28));
    }
    // The double door with its white cross braces.
    const sf::FloatRect doorArea(at(-36, -78).x, at(-36, -78).y, 72 * scale, 78 * scale);
    canvas.rectangle(doorArea, door);
    canvas.line(at(-36, -78), at(0, 0), 3 * scale, trim);
    canvas.line(at(0, -78), at(-36, 0), 3 * scale, trim);
    canvas.line(at(0, -78), at(36, 0), 3 * scale, trim);
    canvas.line(at(36, -78), at(0, 0), 3 * scale, trim);
    canvas.line(at(0, -78), at(0, 0), 3 * scale, trim);
    canvas.line(at(-36, -78), at(36, -78), 3 * scale, trim);
    canvas.line(at(-36, -78), at(-36, 0), 3 * scale, trim);
    canvas.line(at(36, -78), at(36, 0), 3 * scale, trim);
    // Someone is still awake: the hayloft window glows.
    canvas.glow(at(0, -150), 60 * scale, sf::Color(255, 190, 90, 110));
    canvas.rectangle({at(-15, -166).x, at(-15, -166).y, 30 * scale, 30 * scale}, sf::Color(255, 210, 118));
    canvas.line(at(0, -166), at(0, -136), 2.5f * scale, roof);
    canvas.line(at(-15, -151), at(15, -151), 2.5f * scale, roof);
}

void egg(Canvas& canvas, sf::Vector2f centre, float halfWidth, float halfHeight, float rotationDegrees) {
    const float edge = std::max(1.f, halfWidth * 0.1f);
    eggShape(canvas, centre, halfWidth + edge, halfHeight + edge, rotationDegrees, sf::Color(74, 64, 48));
    eggShape(canvas, centre, halfWidth, halfHeight, rotationDegrees, sf::Color(214, 204, 182));
    const sf::Vector2f litOffset = rotated({-halfWidth * 0.12f, -halfHeight * 0.1f}, rotationDegrees);
    eggShape(canvas, centre + litOffset, halfWidth * 0.84f, halfHeight * 0.86f, rotationDegrees,
             sf::Color(252, 249, 238));
    const sf::Vector2f shineOffset = rotated({-halfWidth * 0.4f, -halfHeight * 0.42f}, rotationDegrees);
    canvas.ellipse(centre + shineOffset, {halfWidth * 0.2f, halfHeight * 0.26f}, sf::Color(255, 255, 255),
                   rotationDegrees - 25.f);
}

void nest(Canvas& canvas, sf::Vector2f centre, float scale) {
    const sf::Color straw(160, 124, 62), darkStraw(104, 78, 40);
    canvas.ellipse(centre + sf::Vector2f(0, 4 * scale), sf::Vector2f(72, 20) * scale, darkStraw);
    egg(canvas, centre + sf::Vector2f(-26, -14) * scale, 14 * scale, 18 * scale, -14.f);
    egg(canvas, centre + sf::Vector2f(26, -13) * scale, 14 * scale, 18 * scale, 16.f);
    egg(canvas, centre + sf::Vector2f(0, -18) * scale, 15 * scale, 19 * scale, 2.f);
    canvas.ellipse(centre + sf::Vector2f(0, 8 * scale), sf::Vector2f(70, 14) * scale, straw);
    Random random(0x4E57);
    for (int i = 0; i < 26; ++i) {
        const float x = static_cast<float>(random.range(-64, 64)) * scale;
        const float y = static_cast<float>(random.range(-4, 16)) * scale;
        const float tilt = static_cast<float>(random.range(-18, 18)) * scale;
        canvas.line(centre + sf::Vector2f(x - 9 * scale, y - tilt * 0.3f),
                    centre + sf::Vector2f(x + 9 * scale, y + tilt * 0.3f), 1.4f * scale,
                    i % 2 == 0 ? darkStraw : sf::Color(196, 160, 92));
    }
}

void dogSilhouette(Canvas& canvas, sf::Vector2f feet, float scale) {
    dogShape(canvas, feet, scale, {1.8f, -1.8f}, sf::Color(112, 124, 176));
    dogShape(canvas, feet, scale, {0.f, 0.f}, sf::Color(6, 8, 16));
    const sf::Vector2f eye = feet + sf::Vector2f(-20, -100) * scale;
    canvas.glow(eye, 7 * scale, sf::Color(255, 220, 120, 140), 5);
    canvas.ellipse(eye, sf::Vector2f(2.2f, 1.6f) * scale, sf::Color(255, 226, 140));
}

void flask(Canvas& canvas, sf::Vector2f centre, float scale) {
    auto at = [&](float x, float y) { return centre + sf::Vector2f(x * scale, y * scale); };
    const sf::Color glass(170, 220, 230, 170), rim(34, 64, 72), liquid(130, 250, 90), deep(56, 190, 70);
    canvas.glow(centre, 110 * scale, sf::Color(140, 255, 90, 120), 18);
    canvas.rectangle({at(-15, -104).x, at(-15, -104).y, 30 * scale, 70 * scale}, rim);
    canvas.rectangle({at(-12, -102).x, at(-12, -102).y, 24 * scale, 68 * scale}, glass);
    canvas.ellipse(centre, sf::Vector2f(54, 54) * scale, rim);
    canvas.ellipse(centre, sf::Vector2f(51, 51) * scale, glass);
    canvas.ellipse(at(0, 6), sf::Vector2f(46, 42) * scale, deep);
    canvas.ellipse(at(-3, 2), sf::Vector2f(40, 36) * scale, liquid);
    canvas.ellipse(at(-20, -20), sf::Vector2f(8, 13) * scale, sf::Color(240, 255, 230, 200), -30.f);
    canvas.ellipse(at(14, 14), sf::Vector2f(5, 5) * scale, sf::Color(230, 255, 200, 170));
    canvas.ellipse(at(22, -4), sf::Vector2f(3, 3) * scale, sf::Color(230, 255, 200, 170));
    canvas.rectangle({at(-14, -122).x, at(-14, -122).y, 28 * scale, 22 * scale}, sf::Color(168, 116, 62));
    canvas.rectangle({at(-14, -122).x, at(-14, -122).y, 28 * scale, 4 * scale}, sf::Color(200, 150, 90));
}

} // namespace Scenery
} // namespace assetgen
