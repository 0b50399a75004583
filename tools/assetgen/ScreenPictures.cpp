#include "Canvas.hpp"
#include "MenuLayout.hpp"
#include "Pictures.hpp"
#include "Random.hpp"
#include "Scenery.hpp"
#include "i18n/Translator.hpp"
#include "input/ActionTable.hpp"
#include "input/KeyNames.hpp"

#include <string>
#include <vector>

namespace assetgen {
namespace Pictures {

namespace {

const sf::Vector2f kWindow(800.f, 600.f);
const sf::Vector2u kTitleStored(800, 800);
const sf::Vector2u kScreenStored(800, 593);

const sf::Color kGold(255, 217, 138);
const sf::Color kInk(34, 20, 8);
const sf::Color kPaleBlue(206, 216, 246);
const sf::Color kShadow(0, 0, 0, 130);
constexpr float kControlTextLeft = 268.f;

// Big words with an outline and a soft drop shadow, so they read over any part of a picture.
void headline(Canvas& canvas, const sf::Font& font, const std::string& words, float size, sf::Vector2f centre,
              sf::Color fill, sf::Color outline) {
    const float thickness = size / 18.f;
    canvas.text(font, words, size, centre + sf::Vector2f(size / 28.f, size / 22.f), Anchor::Centre, kShadow,
                kShadow, thickness);
    canvas.text(font, words, size, centre, Anchor::Centre, fill, outline, thickness);
}

void line(Canvas& canvas, const sf::Font& font, const std::string& words, float size, sf::Vector2f at,
          Anchor anchor, sf::Color fill) {
    canvas.text(font, words, size, at, anchor, fill, sf::Color(8, 10, 24, 200), size / 14.f);
}

void keyCap(Canvas& canvas, const Fonts& fonts, sf::FloatRect area, const std::string& label) {
    canvas.roundedRectangle({area.left, area.top + 5.f, area.width, area.height}, 8.f,
                            sf::Color(0, 0, 0, 140));
    canvas.roundedRectangle(area, 8.f, sf::Color(200, 192, 172), sf::Color(90, 84, 70), -2.f);
    canvas.roundedRectangle({area.left + 5.f, area.top + 3.f, area.width - 10.f, area.height - 12.f}, 6.f,
                            sf::Color(240, 234, 218));
    const float size = label.size() > 1 ? 17.f : 24.f;
    canvas.text(fonts.bold, label, size, {area.left + area.width / 2.f, area.top + area.height / 2.f - 4.f},
                Anchor::Centre, sf::Color(40, 40, 56));
}

void mouseIcon(Canvas& canvas, sf::Vector2f centre) {
    const sf::FloatRect body(centre.x - 22.f, centre.y - 32.f, 44.f, 64.f);
    canvas.roundedRectangle({body.left, body.top + 5.f, body.width, body.height}, 20.f,
                            sf::Color(0, 0, 0, 140));
    canvas.roundedRectangle(body, 20.f, sf::Color(240, 234, 218), sf::Color(90, 84, 70), -2.f);
    // The left button, lit up: it is the one that throws.
    canvas.roundedRectangle({body.left + 4.f, body.top + 4.f, 16.f, 22.f}, 8.f, sf::Color(255, 170, 60));
    canvas.line({centre.x, body.top + 2.f}, {centre.x, body.top + 28.f}, 2.f, sf::Color(90, 84, 70));
    canvas.line({body.left + 2.f, body.top + 28.f}, {body.left + body.width - 2.f, body.top + 28.f}, 2.f,
                sf::Color(90, 84, 70));
}

void controlRow(Canvas& canvas, const Fonts& fonts, float y, const std::string& action,
                const std::string& detail) {
    line(canvas, fonts.bold, action, 24.f, {kControlTextLeft, y - 13.f}, Anchor::Left, kGold);
    line(canvas, fonts.regular, detail, 18.f, {kControlTextLeft, y + 14.f}, Anchor::Left, kPaleBlue);
}

void goBackHint(Canvas& canvas, const Fonts& fonts, float y) {
    line(canvas, fonts.bold, tr("Press Escape to go back"), 24.f, {400.f, y}, Anchor::Centre, kGold);
}

// A row of the controls picture: the actions that share it, their caps and their words.
struct PictureRow {
    std::string title;
    std::vector<std::string> caps;
    std::string words;
    bool mouse = false;
};

// What a key cap can hold.
std::string capLabel(sf::Keyboard::Key key) {
    const std::string name = KeyNames::nameOf(key);
    return name == "Escape" ? "Esc" : name;
}

std::vector<PictureRow> pictureRows() {
    std::vector<PictureRow> rows;
    for (const ActionTable::Row& action : ActionTable::rows()) {
        if (rows.empty() || rows.back().title != action.pictureRow) {
            rows.push_back({action.pictureRow, {}, "", false});
        }
        PictureRow& row = rows.back();
        std::string words = tr(action.picture);
        const std::size_t at = words.find("{key}");
        const std::string key = action.keys.empty() ? "" : KeyNames::nameOf(action.keys.front());
        if (at != std::string::npos) {
            words.replace(at, 5, key);
        }
        row.words += (row.words.empty() ? "" : ", ") + words;
        if (!action.keys.empty()) {
            row.caps.push_back(capLabel(action.keys.front()));
        }
        // The eggs fly at the pointer too.
        row.mouse = row.mouse || action.name == "SHOOT";
    }
    for (PictureRow& row : rows) {
        if (row.caps.empty()) {
            row.caps = {"Enter", "Tab"}; // the menus' own keys
            row.words = fill(tr("Arrows or Tab move, {1}"), {row.words});
        }
    }
    return rows;
}

// The caps side by side, centred in the column left of the words, with the mouse after them.
void drawCaps(Canvas& canvas, const Fonts& fonts, const std::vector<std::string>& caps, float y, bool mouse) {
    const float cap = 42.f;
    const float gap = 6.f;
    const auto widthOf = [cap](const std::string& label) {
        return label.size() == 1 ? cap : (label.size() <= 3 ? 74.f : 110.f);
    };
    float total = mouse ? 54.f : 0.f;
    for (const std::string& label : caps) {
        total += widthOf(label) + gap;
    }
    float x = 153.f - (total - gap) / 2.f;
    for (const std::string& label : caps) {
        keyCap(canvas, fonts, {x, y - cap / 2.f, widthOf(label), cap}, label);
        x += widthOf(label) + gap;
    }
    if (mouse) {
        mouseIcon(canvas, {x + 22.f, y});
    }
}

} // namespace

sf::Image startScreen(const Fonts& fonts) {
    Canvas canvas(kTitleStored, kWindow);
    Random random(0x5EED1);
    const sf::Vector2f moonAt(716.f, 74.f);
    Scenery::nightSky(canvas, {0.f, 0.f, 800.f, 450.f}, sf::Color(8, 12, 38), sf::Color(48, 54, 108), 120,
                      random, moonAt);
    Scenery::moon(canvas, moonAt, 34.f);
    Scenery::hillsAndGround(canvas, 440.f, 600.f, 800.f);
    Scenery::barn(canvas, {140.f, 478.f}, 1.05f);
    Scenery::dogSilhouette(canvas, {600.f, 482.f}, 1.0f);
    Scenery::fence(canvas, 0.f, 800.f, 584.f, 80.f);
    Scenery::nest(canvas, {400.f, 562.f}, 0.9f);

    // The calm panel the menu form's buttons sit on.
    canvas.roundedRectangle(MenuLayout::panel(), 16.f, sf::Color(8, 12, 34, 185),
                            sf::Color(232, 200, 114, 110), -2.f);

    canvas.glow({400.f, 92.f}, 200.f, sf::Color(255, 200, 120, 40), 10);
    headline(canvas, fonts.bold, "Pellowick", 100.f, {400.f, 92.f}, kGold, kInk);
    line(canvas, fonts.regular, tr("Sneak in. Grab the formula. Get out."), 22.f, {400.f, 160.f},
         Anchor::Centre, kPaleBlue);
    return canvas.finish();
}

sf::Image controls(const Fonts& fonts) {
    Canvas canvas(kScreenStored, kWindow);
    Random random(0xC0117);
    Scenery::nightSky(canvas, {0.f, 0.f, 800.f, 600.f}, sf::Color(10, 14, 40), sf::Color(34, 40, 86), 70,
                      random);
    headline(canvas, fonts.bold, tr("Controls"), 60.f, {400.f, 62.f}, kGold, kInk);

    // One row per group of actions in the game's action table, with their default keys; then the window's
    // own key.
    const float row = 62.f;
    const float first = 126.f;
    const auto rows = pictureRows();
    for (std::size_t index = 0; index < rows.size(); ++index) {
        const float y = first + static_cast<float>(index) * row;
        drawCaps(canvas, fonts, rows[index].caps, y, rows[index].mouse);
        controlRow(canvas, fonts, y, tr(rows[index].title), rows[index].words);
    }
    const float last = first + static_cast<float>(rows.size()) * row;
    drawCaps(canvas, fonts, {"F11"}, last, false);
    controlRow(canvas, fonts, last, tr("Fullscreen"), tr("F11 switches between the window and fullscreen"));

    goBackHint(canvas, fonts, 566.f);
    return canvas.finish();
}

sf::Image credits(const Fonts& fonts) {
    Canvas canvas(kScreenStored, kWindow);
    Random random(0xC4ED);
    const sf::Vector2f moonAt(690.f, 90.f);
    Scenery::nightSky(canvas, {0.f, 0.f, 800.f, 520.f}, sf::Color(8, 12, 38), sf::Color(44, 50, 102), 90,
                      random, moonAt);
    Scenery::moon(canvas, moonAt, 30.f);
    Scenery::hillsAndGround(canvas, 510.f, 600.f, 800.f);
    Scenery::fence(canvas, 0.f, 800.f, 596.f, 56.f);

    line(canvas, fonts.bold, tr("Credits"), 30.f, {400.f, 52.f}, Anchor::Centre, kPaleBlue);
    headline(canvas, fonts.bold, "Pellowick", 88.f, {400.f, 130.f}, kGold, kInk);
    line(canvas, fonts.regular, tr("Made by the Pellowick developers"), 28.f, {400.f, 214.f}, Anchor::Centre,
         sf::Color::White);
    line(canvas, fonts.bold, tr("Art, sound and music"), 24.f, {400.f, 290.f}, Anchor::Centre, kGold);
    line(canvas, fonts.regular, tr("are generated by our own tool"), 24.f, {400.f, 322.f}, Anchor::Centre,
         sf::Color::White);
    line(canvas, fonts.bold, tr("Font"), 24.f, {400.f, 394.f}, Anchor::Centre, kGold);
    line(canvas, fonts.regular, "Liberation Sans, SIL Open Font License 1.1", 24.f, {400.f, 426.f},
         Anchor::Centre, sf::Color::White);
    goBackHint(canvas, fonts, 482.f);
    return canvas.finish();
}

sf::Image won(const Fonts& fonts) {
    Canvas canvas(kScreenStored, kWindow);
    Random random(0x70A);
    // Dawn breaks: the night is over and the formula is safe.
    canvas.verticalGradient({0.f, 0.f, 800.f, 420.f}, sf::Color(70, 130, 200), sf::Color(255, 196, 112));
    canvas.glow({400.f, 430.f}, 330.f, sf::Color(255, 240, 160, 200), 20);
    canvas.ellipse({400.f, 440.f}, {90.f, 90.f}, sf::Color(255, 236, 150));
    canvas.verticalGradient({0.f, 420.f, 800.f, 180.f}, sf::Color(96, 160, 70), sf::Color(48, 110, 46));
    const sf::Color confetti[] = {sf::Color(255, 90, 90), sf::Color(255, 214, 70), sf::Color(90, 200, 255),
                                  sf::Color(140, 255, 110), sf::Color(250, 140, 255)};
    for (int i = 0; i < 90; ++i) {
        const sf::FloatRect piece(
            static_cast<float>(random.range(10, 790)), static_cast<float>(random.range(8, 400)),
            static_cast<float>(random.range(5, 10)), static_cast<float>(random.range(3, 6)));
        canvas.rectangle(piece, confetti[i % 5], static_cast<float>(random.range(0, 180)));
    }
    Scenery::flask(canvas, {400.f, 300.f}, 0.8f);
    headline(canvas, fonts.bold, tr("You made it!"), 96.f, {400.f, 110.f}, sf::Color::White,
             sf::Color(26, 70, 30));
    line(canvas, fonts.bold, tr("You escaped with the formula."), 30.f, {400.f, 470.f}, Anchor::Centre,
         sf::Color::White);
    line(canvas, fonts.bold, tr("Press Space to return to the menu"), 26.f, {400.f, 548.f}, Anchor::Centre,
         sf::Color(255, 240, 170));
    return canvas.finish();
}

sf::Image lost(const Fonts& fonts) {
    Canvas canvas(kScreenStored, kWindow);
    canvas.verticalGradient({0.f, 0.f, 800.f, 600.f}, sf::Color(70, 6, 12), sf::Color(8, 0, 2));
    canvas.glow({400.f, 300.f}, 420.f, sf::Color(150, 20, 24, 90), 14);
    // Eyes in the dark, all turned on you.
    const sf::Vector2f eyes[] = {{120.f, 250.f}, {680.f, 230.f}, {130.f, 430.f}, {670.f, 440.f}};
    for (const sf::Vector2f& pair : eyes) {
        for (float side : {-1.f, 1.f}) {
            const sf::Vector2f eye = pair + sf::Vector2f(side * 20.f, 0.f);
            canvas.glow(eye, 26.f, sf::Color(255, 40, 30, 150), 8);
            canvas.ellipse(eye, {11.f, 6.f}, sf::Color(255, 60, 40), side * 16.f);
            canvas.ellipse(eye, {3.f, 5.f}, sf::Color(30, 0, 0));
        }
    }
    // Paw prints crossing the bottom of the picture.
    for (int step = 0; step < 8; ++step) {
        const sf::Vector2f paw(70.f + step * 94.f, 520.f + (step % 2) * 26.f);
        const sf::Color mark(110, 18, 22);
        canvas.ellipse(paw, {13.f, 11.f}, mark);
        for (float toe : {-13.f, -4.5f, 4.5f, 13.f}) {
            canvas.ellipse(paw + sf::Vector2f(toe, -15.f + (toe * toe) * 0.02f), {4.5f, 5.5f}, mark);
        }
    }
    headline(canvas, fonts.bold, tr("Caught!"), 130.f, {400.f, 150.f}, sf::Color(255, 76, 60),
             sf::Color(20, 0, 0));
    line(canvas, fonts.bold, tr("A guard dog got you."), 32.f, {400.f, 300.f}, Anchor::Centre,
         sf::Color(246, 216, 206));
    line(canvas, fonts.bold, tr("Press Space to return to the menu"), 26.f, {400.f, 380.f}, Anchor::Centre,
         sf::Color(255, 196, 184));
    return canvas.finish();
}

} // namespace Pictures
} // namespace assetgen
