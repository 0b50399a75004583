#pragma once

#include <SFML/System/String.hpp>
#include <atomic>
#include <initializer_list>
#include <locale>
#include <mutex>
#include <optional>
#include <shared_mutex>
#include <string>
#include <vector>

// The game's words in the player's language. Sources are English; the catalogs (domain "pellowick",
// <folder>/<language>/LC_MESSAGES/pellowick.mo) are read by Boost.Locale itself, so a language shows
// whatever locales the system has generated. A text the catalog lacks, or a language without its
// catalog (one line on sf::err() naming the file), shows in English. Every string is UTF-8. Words may be
// looked up on any thread (the level checker writes its verdicts in the player's language); the language
// is chosen on the game's own.
class Translator {
public:
    static constexpr const char* kDomain = "pellowick";

    static Translator& instance();
    // The languages with a catalog of ours, besides English, the sources' own.
    static const std::vector<std::string>& translated();

    // Where the catalogs lie; "share/locale" under the working directory (the data folder) until set.
    // Loads the language in use again from there.
    void setCatalogFolder(const std::string& folder);
    const std::string& catalogFolder() const { return folder; }
    // The player's choice (Settings' language): "system" follows the environment, "en", "de", "fr",
    // "es" or "pseudo" pick one. Nothing is read again when the language stays the same.
    void choose(const std::string& newChoice);
    // The language in use: "en", "de", "fr", "es" or "pseudo".
    const std::string& language() const { return current; }
    // Rises at every change of language: a screen that keeps words built earlier rebuilds them when it
    // sees a new number.
    unsigned generation() const { return changes.load(); }

    std::string translate(const char* english) const;
    // The form for `count` of a text with a plural ("{1} egg", "{1} eggs").
    std::string translate(const char* one, const char* many, unsigned long count) const;
    // "Assets/de/controls.png" when the language in use has its own version of the file, else `path`.
    std::string localFile(const std::string& path) const;

private:
    Translator();
    void load(bool reportMissing = true);

    std::string folder = "share/locale";
    std::string choice = "system";
    std::string current = "en";
    // Holds the catalog's message facet; empty for English and the pseudo language.
    std::optional<std::locale> catalog;
    std::atomic<unsigned> changes{0};
    // Held shared while a word is looked up, alone while the catalog changes.
    mutable std::shared_mutex catalogMutex;
};

// The text in the language in use. xgettext finds these calls: keep the argument a plain literal.
std::string tr(const char* english);
// For English kept in a table (marked there with N_).
std::string tr(const std::string& english);
std::string trn(const char* one, const char* many, unsigned long count);
// Marks a literal for the catalog where it is stored (a table row); the code that shows it calls tr().
constexpr const char* N_(const char* english) {
    return english;
}
// The pattern with {1}, {2}... replaced by the values in order, so a translation may put them anywhere.
std::string fill(const std::string& pattern, std::initializer_list<std::string> values);
// For SFML's own texts: a std::string would be read with the global C++ locale, not as UTF-8.
sf::String utf8String(const std::string& utf8);
