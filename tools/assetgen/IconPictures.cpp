#include "Canvas.hpp"
#include "Pictures.hpp"
#include "Scenery.hpp"
#include "i18n/Translator.hpp"

#include <cmath>
#include <string>

namespace assetgen {
namespace Pictures {

namespace {

const sf::Color kOutline(24, 24, 34);
const sf::Color kSpeaker(246, 244, 236);

void speaker(Canvas& canvas) {
    sf::ConvexShape cone(6);
    cone.setPoint(0, {4.f, 12.f});
    cone.setPoint(1, {10.f, 12.f});
    cone.setPoint(2, {17.f, 5.f});
    cone.setPoint(3, {17.f, 27.f});
    cone.setPoint(4, {10.f, 20.f});
    cone.setPoint(5, {4.f, 20.f});
    cone.setFillColor(kSpeaker);
    cone.setOutlineColor(kOutline);
    cone.setOutlineThickness(1.6f);
    canvas.draw(cone);
}

// A stroke with a dark edge, so the icon reads on light and dark menus alike.
void outlinedArc(Canvas& canvas, float radius, sf::Color colour) {
    canvas.arc({17.f, 16.f}, radius, 4.4f, -48.f, 48.f, kOutline);
    canvas.arc({17.f, 16.f}, radius, 2.2f, -44.f, 44.f, colour);
}

void outlinedLine(Canvas& canvas, sf::Vector2f from, sf::Vector2f to, sf::Color colour) {
    canvas.line(from, to, 5.f, kOutline);
    canvas.line(from, to, 2.8f, colour);
}

// The medal's face: a many-pointed burst for gold, a round disc for silver, a hexagon for bronze, so
// the three differ in shape as well as colour.
sf::VertexArray medalFace(int place, sf::Vector2f centre, float radius, sf::Color colour) {
    sf::VertexArray face(sf::TriangleFan);
    face.append({centre, colour});
    const int corners = place == 1 ? 24 : place == 2 ? 48 : 6;
    for (int i = 0; i <= corners; ++i) {
        const float reach = place == 1 && i % 2 == 1 ? radius * 0.8f : radius;
        const float angle = static_cast<float>(i) * 6.2831853f / static_cast<float>(corners) - 1.5707963f;
        face.append({centre + sf::Vector2f(std::cos(angle), std::sin(angle)) * reach, colour});
    }
    return face;
}

} // namespace

sf::Image medal(const Fonts& fonts, int place) {
    Canvas canvas({64, 64}, {64.f, 64.f}, 6);
    // The ribbon, as two bands meeting behind the medal.
    const sf::Color ribbon(52, 84, 170);
    canvas.line({18.f, 0.f}, {30.f, 30.f}, 11.f, kOutline);
    canvas.line({46.f, 0.f}, {34.f, 30.f}, 11.f, kOutline);
    canvas.line({18.f, 1.f}, {30.f, 30.f}, 8.f, ribbon);
    canvas.line({46.f, 1.f}, {34.f, 30.f}, 8.f, sf::Color(200, 48, 52));
    const sf::Color metal = place == 1   ? sf::Color(246, 196, 48)
                            : place == 2 ? sf::Color(206, 214, 226)
                                         : sf::Color(196, 122, 64);
    const sf::Vector2f centre(32.f, 41.f);
    canvas.draw(medalFace(place, centre, 22.f, kOutline));
    canvas.draw(medalFace(place, centre, 20.f, metal));
    canvas.ellipse(centre, {12.f, 12.f}, sf::Color(255, 255, 255, 60));
    canvas.text(fonts.bold, std::to_string(place), 22.f, centre, Anchor::Centre, kOutline);
    return canvas.finish();
}

sf::Image audioIcon(bool audioOn) {
    Canvas canvas({32, 32}, {32.f, 32.f}, 8);
    speaker(canvas);
    if (audioOn) {
        outlinedArc(canvas, 6.5f, kSpeaker);
        outlinedArc(canvas, 11.5f, kSpeaker);
    } else {
        const sf::Color red(232, 52, 48);
        outlinedLine(canvas, {21.f, 11.f}, {29.f, 21.f}, red);
        outlinedLine(canvas, {29.f, 11.f}, {21.f, 21.f}, red);
    }
    return canvas.finish();
}

sf::Image eggAmount() {
    Canvas canvas({48, 48}, {48.f, 48.f}, 6);
    canvas.ellipse({25.f, 44.f}, {14.f, 3.f}, sf::Color(0, 0, 0, 90));
    Scenery::egg(canvas, {24.f, 24.f}, 14.5f, 19.5f, 8.f);
    return canvas.finish();
}

sf::Image pause(const Fonts& fonts) {
    Canvas canvas({480, 200}, {480.f, 200.f});
    canvas.roundedRectangle({6.f, 6.f, 468.f, 188.f}, 24.f, sf::Color(10, 14, 40, 215),
                            sf::Color(255, 217, 138), -4.f);
    const sf::Color ink(34, 20, 8);
    // The lower half stays empty: the game writes there which keys continue, restart and leave, as bound.
    canvas.text(fonts.bold, tr("Paused"), 76.f, {240.f, 72.f}, Anchor::Centre, sf::Color(255, 217, 138), ink,
                4.f);
    return canvas.finish();
}

sf::Image appIcon(unsigned size) {
    // Small icons need more supersampling to keep their edges smooth.
    Canvas canvas({size, size}, {64.f, 64.f}, size <= 32 ? 12 : 4);
    canvas.roundedRectangle({1.5f, 1.5f, 61.f, 61.f}, 12.f, sf::Color(30, 40, 84), kOutline, 1.5f);
    canvas.ellipse({32.f, 56.f}, {26.f, 4.f}, sf::Color(22, 48, 36));
    Scenery::moon(canvas, {50.f, 13.f}, 5.f);
    Scenery::flask(canvas, {44.f, 45.f}, 0.17f);
    Scenery::egg(canvas, {22.f, 37.f}, 12.f, 16.f, -10.f);
    return canvas.finish();
}

} // namespace Pictures
} // namespace assetgen
