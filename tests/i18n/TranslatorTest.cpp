// The game's words in the player's language: chosen from the environment as gettext does (whatever locales
// the system has), overridden by the setting, English for a language we lack; the screens switch on the
// next frame and pick the language's pictures; on every screen, in every language, each text stays inside
// its button, card or the picture, and the pseudo language shows any that bypass the catalog; the shipped
// font draws every letter of every translation.
#include "i18n/Translator.hpp"

#include "app/GameStateManager.hpp"
#include "assets/AssetManager.hpp"
#include "hud/HintPanel.hpp"
#include "hud/TitleCard.hpp"
#include "map/LevelSchema.hpp"
#include "map/MedalTimes.hpp"
#include "map/PropertyLookup.hpp"
#include "map/TmxReader.hpp"
#include "screens/ControlsScreen.hpp"
#include "screens/EndScreen.hpp"
#include "screens/OptionsScreen.hpp"
#include "storage/LevelCatalog.hpp"
#include "storage/RecordsFile.hpp"
#include "storage/Settings.hpp"
#include "support/ErrCapture.hpp"
#include "support/Files.hpp"
#include "support/GameHarness.hpp"
#include "ui/Button.hpp"
#include "ui/CheckBox.hpp"
#include "ui/Label.hpp"
#include "ui/Slider.hpp"
#include "ui/TextFit.hpp"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Image.hpp>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>

namespace {

// The language variables as a test sets them; the suite's own (LANGUAGE=en) come back afterwards.
class LanguageEnvironment {
public:
    LanguageEnvironment() { clear(); }
    ~LanguageEnvironment() {
        clear();
        setenv("LANGUAGE", "en", 1);
        Translator::instance().choose("system");
    }
    void set(const char* name, const char* value) { setenv(name, value, 1); }

private:
    static void clear() {
        for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
            unsetenv(name);
        }
    }
};

std::string shownIn(const std::string& choice, const char* english) {
    Translator::instance().choose(choice);
    return tr(english);
}

TEST(TranslatorTest, LanguageFollowsTheEnvironmentUnlessTheSettingChoosesOne) {
    LanguageEnvironment environment;
    Translator& translator = Translator::instance();
    environment.set("LANG", "de_AT.UTF-8");
    EXPECT_EQ(shownIn("system", "Back"), "Zurück")
        << "only C.UTF-8 is generated here, and German still shows";
    environment.set("LANGUAGE", "pt_BR:fr");
    EXPECT_EQ(shownIn("system", "Back"), "Retour") << "LANGUAGE's first language we have";
    environment.set("LANGUAGE", "");
    environment.set("LC_ALL", "C");
    EXPECT_EQ(shownIn("system", "Back"), "Back") << "LC_ALL comes before LANG, and C is English";
    unsetenv("LC_ALL");
    environment.set("LANG", "pt_BR.UTF-8");
    EXPECT_EQ(shownIn("system", "Back"), "Back") << "a language without a catalog shows English";

    EXPECT_EQ(shownIn("es", "Back"), "Volver") << "the setting overrides the environment";
    EXPECT_EQ(shownIn("xx", "Back"), "Back");
    translator.choose("fr");
    EXPECT_EQ(fill(trn("playable ({1} problem)", "playable ({1} problems)", 2), {"2"}),
              "jouable (2 problèmes)");
    EXPECT_EQ(fill(trn("playable ({1} problem)", "playable ({1} problems)", 0), {"0"}),
              "jouable (0 problème)")
        << "French counts zero as one";

    const std::string catalogs = translator.catalogFolder();
    ErrCapture errors;
    translator.setCatalogFolder(makeTempFolder("no-catalogs"));
    EXPECT_EQ(shownIn("de", "Back"), "Back");
    EXPECT_NE(errors.text().find("/de/LC_MESSAGES/pellowick.mo: the catalog of this language is missing"),
              std::string::npos)
        << errors.text();
    translator.setCatalogFolder(catalogs);
}

TEST(TranslatorTest, EveryTranslatedLetterHasAGlyphInTheShippedFont) {
    sf::Font font;
    ASSERT_TRUE(font.loadFromFile("Assets/arial.ttf"));
    // A code point no font of ours draws: its glyph is the font's "missing" box.
    const sf::Glyph missing = font.getGlyph(0xE000, 30, false);
    std::size_t letters = 0;
    for (const std::string& language : Translator::translated()) {
        // The whole catalog: any font draws its English and its notes, and ours must draw the translations.
        const std::string po = readWholeFile(std::string(PELLOWICK_SOURCE_DIR) + "/po/" + language + ".po");
        for (const sf::Uint32 letter : sf::String::fromUtf8(po.begin(), po.end())) {
            const sf::Glyph glyph = font.getGlyph(letter, 30, false);
            EXPECT_FALSE(letter > ' ' && glyph.bounds == missing.bounds && glyph.advance == missing.advance)
                << language << ": U+" << std::hex << letter;
            ++letters;
        }
    }
    EXPECT_GT(letters, 3000u) << "the catalogs were read";
}

std::string textOf(const ui::Widget& widget) {
    if (const auto* button = dynamic_cast<const ui::Button*>(&widget)) {
        return button->getText();
    }
    if (const auto* box = dynamic_cast<const ui::CheckBox*>(&widget)) {
        return box->getText();
    }
    const auto* label = dynamic_cast<const ui::Label*>(&widget);
    return label ? label->getText() : "";
}

const sf::FloatRect kPicture(0.0f, 0.0f, 800.0f, 600.0f);

// Two letters in a row: not a count ("3x") or a time.
bool hasWords(const std::string& text) {
    const auto letter = [](char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; };
    return std::adjacent_find(text.begin(), text.end(),
                              [&](char a, char b) { return letter(a) && letter(b); }) != text.end();
}

bool holds(const sf::FloatRect& room, const sf::FloatRect& box) {
    const float slack = 1.0f; // a rounded pixel
    return box.left >= room.left - slack && box.top >= room.top - slack &&
           box.left + box.width <= room.left + room.width + slack &&
           box.top + box.height <= room.top + room.height + slack;
}

float widestLine(const std::string& text, const sf::Font& font, unsigned size) {
    float widest = 0.0f;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        widest = std::max(widest, ui::TextFit::widthOf(line, font, size));
    }
    return widest;
}

// A drawn text and the box it must stay inside: a button's face, the card it lies on, or the picture.
struct PlacedText {
    std::string text;
    sf::FloatRect drawn;
    sf::FloatRect room;
};

std::vector<PlacedText> placedTexts(const ui::Gui& gui) {
    std::vector<sf::FloatRect> cards;
    for (const auto& widget : gui.getWidgets()) {
        const auto* label = dynamic_cast<const ui::Label*>(widget.get());
        if (label && label->isVisible() && label->getText().empty() &&
            label->getRenderer()->getBackgroundColor()) {
            cards.emplace_back(label->getPosition(), label->getSize());
        }
    }
    std::vector<PlacedText> placed;
    for (const auto& widget : gui.getWidgets()) {
        const std::string text = textOf(*widget);
        if (!widget->isVisible() || !hasWords(text)) {
            continue;
        }
        const sf::FloatRect area(widget->getPosition(), widget->getSize());
        const auto* button = dynamic_cast<const ui::Button*>(widget.get());
        if (button) {
            // A button without a text size of its own fits the text to its face.
            if (button->getTextSize() == 0 || !gui.getFont()) {
                placed.push_back({text, area, kPicture});
                continue;
            }
            const float width = widestLine(text, *gui.getFont(), button->getTextSize());
            const sf::FloatRect drawn(area.left + (area.width - width) / 2.0f, area.top, width, area.height);
            placed.push_back({text, drawn, kPicture});
            placed.push_back({text, drawn, {area.left + 2.0f, area.top, area.width - 4.0f, area.height}});
            continue;
        }
        const sf::FloatRect drawn =
            dynamic_cast<const ui::CheckBox*>(widget.get()) ? widget->focusArea() : area;
        const sf::Vector2f centre(drawn.left + drawn.width / 2.0f, drawn.top + drawn.height / 2.0f);
        sf::FloatRect room = kPicture;
        for (const sf::FloatRect& card : cards) {
            if (card.contains(centre)) {
                room = card;
            }
        }
        placed.push_back({text, drawn, room});
    }
    return placed;
}

// Every text inside its box and clear of the others; in the pseudo language every one looked up.
void expectFitting(const ui::Gui& gui, const std::string& where, std::size_t& checked) {
    const std::vector<PlacedText> placed = placedTexts(gui);
    std::vector<sf::FloatRect> sliders;
    for (const auto& widget : gui.getWidgets()) {
        if (dynamic_cast<const ui::Slider*>(widget.get())) {
            sliders.emplace_back(widget->getPosition(), widget->getSize());
        }
    }
    const bool pseudo = Translator::instance().language() == "pseudo";
    for (std::size_t i = 0; i < placed.size(); ++i) {
        const PlacedText& one = placed[i];
        EXPECT_TRUE(holds(one.room, one.drawn))
            << where << ": \"" << one.text << "\" runs out of its box: " << one.drawn.left << "+"
            << one.drawn.width << " in " << one.room.left << "+" << one.room.width;
        for (std::size_t j = i + 1; j < placed.size(); ++j) {
            sf::FloatRect both;
            EXPECT_FALSE(one.text != placed[j].text && one.drawn.intersects(placed[j].drawn, both) &&
                         both.width > 1.0f && both.height > 1.0f)
                << where << ": \"" << one.text << "\" runs into \"" << placed[j].text << "\"";
        }
        for (const sf::FloatRect& slider : sliders) {
            EXPECT_FALSE(one.drawn.intersects(slider))
                << where << ": \"" << one.text << "\" runs into a slider";
        }
        // A line of a wrapped text may lack the brackets, never the accents.
        const bool stretched = std::any_of(one.text.begin(), one.text.end(), [](char c) {
            return c == '[' || static_cast<unsigned char>(c) > 127;
        });
        EXPECT_TRUE(!pseudo || stretched)
            << where << ": not looked up in the catalog: \"" << one.text << "\"";
        ++checked;
    }
}

template <class Screen> Screen* shown(GameHarness& harness, int state) {
    GameStateManager::getInstance()->setState(state);
    harness.frames(2);
    return harness.screen<Screen>();
}

// The end screen after a run of `seconds` on `map`, won or lost.
EndScreen* endOf(GameHarness& harness, const std::string& map, bool won, int speed) {
    GameStateManager* manager = GameStateManager::getInstance();
    manager->mapPath = map;
    manager->won = won;
    manager->runSeconds = 95.0;
    manager->runSpeed = speed;
    manager->winKept = speed == RecordsFile::kFullSpeed;
    manager->newBest = true;
    manager->eggsShot = 12;
    manager->timesSeen = 7;
    const auto tiles = readTileMapFile(map);
    manager->medalTimes = tiles ? MedalTimes::of(*tiles) : std::nullopt;
    return shown<EndScreen>(harness, GameStateManager::kEndScreen);
}

// Each shipped level's title card, and each of its hints as the strip shows it.
void expectCardsAndHintsFitting(std::size_t& checked) {
    std::vector<std::string> maps = LevelCatalog::lessons();
    maps.insert(maps.end(), LevelCatalog::shippedLevels().begin(), LevelCatalog::shippedLevels().end());
    for (const std::string& path : maps) {
        const auto map = readTileMapFile(path);
        ASSERT_TRUE(map) << path;
        TitleCard card;
        card.build(nullptr, tr(map->property(LevelSchema::kLevelName)),
                   tr(map->property(LevelSchema::kLevelIntro)));
        expectFitting(card.gui, path + " title card", checked);
        for (const ObjectGroup& group : map->objectGroups) {
            for (const MapObject& object : group.objects) {
                if (object.type != LevelSchema::kHint) {
                    continue;
                }
                HintPanel hint;
                hint.build(nullptr);
                hint.update({0, 0, 1, 1},
                            {{{0, 0, 1, 1}, PropertyLookup(object).named(LevelSchema::kHintText)->value}});
                expectFitting(hint.gui, path + " hint", checked);
            }
        }
    }
}

// In Spanish the Controls screen showed its Spanish picture; the language after Español is System, which is
// English here, and the next frame of Options is in it, its focus kept.
void expectSwitchingOnTheNextFrame(GameHarness& harness) {
    sf::Image spanish;
    ASSERT_TRUE(spanish.loadFromFile("Assets/es/controls.png"));
    const sf::Image picture = AssetManager::getInstance()->getTexture("controlsScreen").copyToImage();
    EXPECT_TRUE(picture.getSize() == spanish.getSize() &&
                std::equal(picture.getPixelsPtr(),
                           picture.getPixelsPtr() + 4 * picture.getSize().x * picture.getSize().y,
                           spanish.getPixelsPtr()));
    auto* options = shown<OptionsScreen>(harness, GameStateManager::kOptionsScreen);
    EXPECT_EQ(options->backButton->getText(), "Volver");
    ASSERT_TRUE(harness.clickOn(options->choices.at("game.language")));
    EXPECT_EQ(GameStateManager::getInstance()->settings.language, "system");
    EXPECT_EQ(options->backButton->getText(), "Back");
    EXPECT_EQ(options->gui.focusName(), "game.language") << "the rebuilt screen keeps the focus";
}

TEST(TranslatorTest, EveryScreenKeepsEveryTextInsideItsBoxAndSwitchesOnTheNextFrameInEveryLanguage) {
    for (const std::string language : {"en", "de", "fr", "es", "pseudo"}) {
        SCOPED_TRACE(language);
        LanguageEnvironment environment;
        environment.set("LANGUAGE", language == "pseudo" ? "pseudo" : "en");
        // A key of the player's own, so that Controls lists the keys bound.
        GameHarness harness("[game]\nlanguage = \"" + (language == "pseudo" ? "system" : language) +
                            "\"\nopen_all_levels = true\n[keys]\nLAY = \"L\"\n");
        std::size_t checked = 0;
        harness.frames(2);
        ASSERT_NE(harness.screen<StartScreen>(), nullptr);
        expectFitting(harness.screen<StartScreen>()->gui, "menu", checked);
        expectFitting(shown<OptionsScreen>(harness, GameStateManager::kOptionsScreen)->gui, "Options",
                      checked);
        expectFitting(shown<ControlsScreen>(harness, GameStateManager::kControlsScreen)->boundKeys,
                      "Controls", checked);
        for (const char* list : {"levels", "practice"}) {
            shown<StartScreen>(harness, GameStateManager::kStartScreen);
            LevelListScreen* screen = harness.openList(list);
            ASSERT_NE(screen, nullptr) << list;
            expectFitting(screen->gui, list, checked);
        }

        GameStateManager::getInstance()->mapPath = "Assets/lesson1.tmx";
        auto* level = shown<IngameScreen>(harness, GameStateManager::kIngameScreen);
        ASSERT_NE(level, nullptr);
        expectFitting(level->gui, "HUD", checked);
        expectFitting(level->titleCard.gui, "title card", checked);
        harness.tap(sf::Keyboard::L); // the lay key starts play
        harness.frames(1);
        harness.press(sf::Keyboard::Escape);
        ASSERT_TRUE(level->paused);
        expectFitting(level->pauseGui, "pause", checked);

        expectFitting(endOf(harness, "Assets/map.tmx", true, RecordsFile::kFullSpeed)->gui, "won", checked);
        expectFitting(endOf(harness, "Assets/lesson1.tmx", true, 70)->gui, "won lesson, assisted", checked);
        expectFitting(endOf(harness, "Assets/map.tmx", false, RecordsFile::kFullSpeed)->gui, "lost", checked);
        expectCardsAndHintsFitting(checked);
        EXPECT_GT(checked, 150u);
        if (language == "es") {
            expectSwitchingOnTheNextFrame(harness);
        }
    }
}

} // namespace
