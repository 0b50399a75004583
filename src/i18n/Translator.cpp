#include "i18n/Translator.hpp"

#include "i18n/LanguageChoice.hpp"
#include "i18n/PseudoText.hpp"

#include <SFML/System/Err.hpp>
#include <boost/locale/gnu_gettext.hpp>
#include <boost/locale/message.hpp>
#include <filesystem>

namespace {
using Facet = boost::locale::message_format<char>;

std::string catalogPath(const std::string& folder, const std::string& language) {
    return folder + "/" + language + "/LC_MESSAGES/" + Translator::kDomain + ".mo";
}
} // namespace

Translator& Translator::instance() {
    static Translator translator;
    return translator;
}

const std::vector<std::string>& Translator::translated() {
    static const std::vector<std::string> languages{"de", "fr", "es"};
    return languages;
}

Translator::Translator() {
    current = LanguageChoice::resolve(choice, translated());
    // Quietly: the program names the catalogs' folder next, and reports what is missing there.
    load(false);
}

void Translator::setCatalogFolder(const std::string& newFolder) {
    {
        const std::unique_lock<std::shared_mutex> lock(catalogMutex);
        folder = newFolder;
        load();
    }
    ++changes;
}

void Translator::choose(const std::string& newChoice) {
    choice = newChoice;
    const std::string language = LanguageChoice::resolve(choice, translated());
    if (language == current) {
        return;
    }
    {
        const std::unique_lock<std::shared_mutex> lock(catalogMutex);
        current = language;
        load();
    }
    ++changes;
}

void Translator::load(bool reportMissing) {
    catalog.reset();
    if (current == "en" || current == LanguageChoice::kPseudo) {
        return;
    }
    const std::string path = catalogPath(folder, current);
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        if (!reportMissing) {
            return;
        }
        sf::err() << path << ": the catalog of this language is missing; the game shows English" << std::endl;
        return;
    }
    boost::locale::gnu_gettext::messages_info info;
    info.language = current;
    info.encoding = "UTF-8";
    info.paths.push_back(folder);
    info.domains.emplace_back(kDomain);
    // The locale owns the facet from here on.
    catalog.emplace(std::locale::classic(), boost::locale::gnu_gettext::create_messages_facet<char>(info));
}

std::string Translator::translate(const char* english) const {
    const std::shared_lock<std::shared_mutex> lock(catalogMutex);
    if (current == LanguageChoice::kPseudo) {
        return PseudoText::stretch(english);
    }
    if (catalog && *english != '\0') {
        if (const char* found = std::use_facet<Facet>(*catalog).get(0, nullptr, english)) {
            return found;
        }
    }
    return english;
}

std::string Translator::translate(const char* one, const char* many, unsigned long count) const {
    const std::shared_lock<std::shared_mutex> lock(catalogMutex);
    if (current == LanguageChoice::kPseudo) {
        return PseudoText::stretch(count == 1 ? one : many);
    }
    if (catalog) {
        // The catalog's plural rule picks the form by number.
        if (const char* found =
                std::use_facet<Facet>(*catalog).get(0, nullptr, one, static_cast<int>(count))) {
            return found;
        }
    }
    return count == 1 ? one : many;
}

std::string Translator::localFile(const std::string& path) const {
    const std::filesystem::path given(path);
    if (current == "en" || current == LanguageChoice::kPseudo) {
        return path;
    }
    const std::filesystem::path local = given.parent_path() / current / given.filename();
    std::error_code error;
    return std::filesystem::is_regular_file(local, error) ? local.string() : path;
}

std::string tr(const char* english) {
    return Translator::instance().translate(english);
}

std::string tr(const std::string& english) {
    return Translator::instance().translate(english.c_str());
}

std::string trn(const char* one, const char* many, unsigned long count) {
    return Translator::instance().translate(one, many, count);
}

std::string fill(const std::string& pattern, std::initializer_list<std::string> values) {
    std::string out = pattern;
    std::size_t number = 1;
    for (const std::string& value : values) {
        const std::string mark = "{" + std::to_string(number++) + "}";
        for (std::size_t at = out.find(mark); at != std::string::npos;
             at = out.find(mark, at + value.size())) {
            out.replace(at, mark.size(), value);
        }
    }
    return out;
}

sf::String utf8String(const std::string& utf8) {
    return sf::String::fromUtf8(utf8.begin(), utf8.end());
}
