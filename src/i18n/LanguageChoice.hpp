#pragma once

#include <string>
#include <vector>

// Which of the game's languages to show: the player's choice in Options, or the system's as gettext reads
// it (LANGUAGE, a colon list, then LC_ALL, LC_MESSAGES and LANG). LANGUAGE counts even when the locale is
// "C": many systems have no other locale generated, and the player still asked for a language.
class LanguageChoice {
public:
    // The choice that follows the system.
    static constexpr const char* kSystem = "system";
    // Every string made longer, with accents, to find words that bypass the catalog. Never offered in
    // Options.
    static constexpr const char* kPseudo = "pseudo";

    // The first language the environment asks for that is among `offered` ("de" from "de_AT.UTF-8"),
    // "pseudo" when asked for, else "en".
    static std::string fromEnvironment(const std::vector<std::string>& offered);
    // The language of a choice: itself when offered, the environment's for "system" or an empty choice,
    // "en" otherwise.
    static std::string resolve(const std::string& choice, const std::vector<std::string>& offered);
    // "de" from "de_AT.UTF-8@euro"; empty for "C" and "POSIX", which mean the sources' English.
    static std::string languageOf(const std::string& localeName);
};
