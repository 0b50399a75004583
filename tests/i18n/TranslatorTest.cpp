// The game's words in the player's language: chosen from the environment as gettext does (whatever locales
// the system has), overridden by the setting, English for a language we lack; the screens switch on the
// next frame, pick the language's pictures, and look every word up (the pseudo language shows any that
// bypass the catalog); the shipped font draws every letter of every translation.
#include "i18n/Translator.hpp"

#include "app/GameStateManager.hpp"
#include "assets/AssetManager.hpp"
#include "i18n/PseudoText.hpp"
#include "screens/OptionsScreen.hpp"
#include "storage/Settings.hpp"
#include "support/ErrCapture.hpp"
#include "support/Files.hpp"
#include "support/GameHarness.hpp"
#include "ui/Button.hpp"
#include "ui/CheckBox.hpp"
#include "ui/Label.hpp"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Image.hpp>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>

namespace {

// The language variables as a test sets them; the suite's own (LANGUAGE=en) come back afterwards.
class LanguageEnvironment {
public:
    LanguageEnvironment() {
        for (const char* name : kNames) {
            unsetenv(name);
        }
    }
    ~LanguageEnvironment() {
        for (const char* name : kNames) {
            unsetenv(name);
        }
        setenv("LANGUAGE", "en", 1);
        Translator::instance().choose("system");
    }
    void set(const char* name, const char* value) { setenv(name, value, 1); }

private:
    static constexpr const char* kNames[] = {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"};
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

    const unsigned before = translator.generation();
    EXPECT_EQ(shownIn("es", "Back"), "Volver") << "the setting overrides the environment";
    EXPECT_GT(translator.generation(), before);
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

// Every msgstr of a catalog, unescaped.
std::vector<std::string> translations(const std::string& po) {
    std::ifstream in(po);
    std::vector<std::string> texts;
    bool inTranslation = false;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("msgstr", 0) == 0) {
            inTranslation = true;
            texts.emplace_back();
        } else if (line.empty() || line[0] != '"') {
            inTranslation = false;
        }
        const std::size_t open = line.find('"');
        if (!inTranslation || open == std::string::npos || line.size() < open + 2) {
            continue;
        }
        const std::string quoted = line.substr(open + 1, line.size() - open - 2);
        for (std::size_t i = 0; i < quoted.size(); ++i) {
            texts.back() += quoted[i] == '\\' && i + 1 < quoted.size()
                                ? (quoted[++i] == 'n' ? '\n' : quoted[i])
                                : quoted[i];
        }
    }
    return texts;
}

TEST(TranslatorTest, EveryTranslatedLetterHasAGlyphInTheShippedFont) {
    sf::Font font;
    ASSERT_TRUE(font.loadFromFile("Assets/arial.ttf"));
    // A code point no font of ours draws: its glyph is the font's "missing" box.
    const sf::Glyph missing = font.getGlyph(0xE000, 30, false);
    std::size_t letters = 0;
    for (const std::string& language : Translator::translated()) {
        for (const std::string& text :
             translations(std::string(PELLOWICK_SOURCE_DIR) + "/po/" + language + ".po")) {
            for (const sf::Uint32 letter : sf::String::fromUtf8(text.begin(), text.end())) {
                if (letter <= ' ') {
                    continue;
                }
                const sf::Glyph glyph = font.getGlyph(letter, 30, false);
                EXPECT_FALSE(glyph.bounds == missing.bounds && glyph.advance == missing.advance)
                    << language << ": U+" << std::hex << letter << " in \"" << text << "\"";
                ++letters;
            }
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

bool hasLetters(const std::string& text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return std::isalpha(static_cast<unsigned char>(c)); });
}

TEST(TranslatorTest, ScreensShowTheLanguageOnTheNextFrameWithItsPicturesAndEveryWordLookedUp) {
    LanguageEnvironment environment;
    environment.set("LANGUAGE", "en");
    GameHarness harness("[game]\nlanguage = \"es\"\n");
    GameStateManager* manager = GameStateManager::getInstance();

    manager->setState(GameStateManager::kControlsScreen);
    harness.frames(1);
    sf::Image spanish;
    ASSERT_TRUE(spanish.loadFromFile("Assets/es/controls.png"));
    const sf::Image shown = AssetManager::getInstance()->getTexture("controlsScreen").copyToImage();
    EXPECT_TRUE(shown.getSize() == spanish.getSize() &&
                std::equal(shown.getPixelsPtr(),
                           shown.getPixelsPtr() + 4 * shown.getSize().x * shown.getSize().y,
                           spanish.getPixelsPtr()))
        << "the Controls screen shows the Spanish picture";

    manager->setState(GameStateManager::kOptionsScreen);
    harness.frames(1);
    auto* options = harness.screen<OptionsScreen>();
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(options->backButton->getText(), "Volver");
    // The language after Español is System, which is English here.
    ASSERT_TRUE(harness.clickOn(options->choices.at("game.language")));
    EXPECT_EQ(manager->settings.language, "system");
    EXPECT_EQ(options->backButton->getText(), "Back") << "the next frame is in the new language";
    EXPECT_EQ(options->gui.focusName(), "game.language") << "the rebuilt screen keeps the focus";

    environment.set("LANGUAGE", "pseudo");
    manager->setState(GameStateManager::kOptionsScreen);
    harness.frames(1);
    options = harness.screen<OptionsScreen>();
    ASSERT_NE(options, nullptr);
    std::size_t checked = 0;
    for (const auto& widget : options->gui.getWidgets()) {
        const std::string text = textOf(*widget);
        if (hasLetters(text)) {
            EXPECT_TRUE(PseudoText::isStretched(text)) << "not looked up in the catalog: \"" << text << "\"";
            ++checked;
        }
    }
    EXPECT_GT(checked, 25u);
}

} // namespace
