#include "i18n/LanguageChoice.hpp"

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace {
std::string variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool isOffered(const std::string& language, const std::vector<std::string>& offered) {
    return language == "en" || language == LanguageChoice::kPseudo ||
           std::find(offered.begin(), offered.end(), language) != offered.end();
}

// The languages the environment asks for, in gettext's order: LANGUAGE's list first, then the first of
// LC_ALL, LC_MESSAGES and LANG that is set.
std::vector<std::string> askedFor() {
    std::vector<std::string> asked;
    std::istringstream list(variable("LANGUAGE"));
    for (std::string entry; std::getline(list, entry, ':');) {
        asked.push_back(entry);
    }
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        if (const std::string value = variable(name); !value.empty()) {
            asked.push_back(value);
            break;
        }
    }
    return asked;
}
} // namespace

std::string LanguageChoice::languageOf(const std::string& localeName) {
    const std::string language = localeName.substr(0, localeName.find_first_of("_.@"));
    if (language == "C" || language == "POSIX") {
        return "";
    }
    return language;
}

std::string LanguageChoice::fromEnvironment(const std::vector<std::string>& offered) {
    for (const std::string& entry : askedFor()) {
        const std::string language = languageOf(entry);
        if (!language.empty() && isOffered(language, offered)) {
            return language;
        }
    }
    return "en";
}

std::string LanguageChoice::resolve(const std::string& choice, const std::vector<std::string>& offered) {
    if (choice.empty() || choice == kSystem) {
        return fromEnvironment(offered);
    }
    return isOffered(choice, offered) ? choice : "en";
}
