#include "map/PropertyLookup.hpp"

#include "i18n/Translator.hpp"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <stdexcept>

PropertyLookup::PropertyLookup(const MapObject& object) : type(LevelSchema::find(object.type)) {
    for (const ObjectProperty& property : object.properties) {
        const bool isOptional = type && type->optional(property.name);
        (isOptional ? optional : positional).push_back(&property);
    }
}

const ObjectProperty& PropertyLookup::at(std::size_t position) const {
    if (position >= positional.size()) {
        throw std::out_of_range(
            fill(tr("the object has no property at position {1}"), {std::to_string(position)}));
    }
    return *positional[position];
}

const ObjectProperty* PropertyLookup::named(const std::string& name) const {
    // A name given twice: the later one wins, as the last of two like-named objects does.
    const ObjectProperty* found = nullptr;
    for (const ObjectProperty* property : optional) {
        if (property->name == name) {
            found = property;
        }
    }
    return found;
}

float PropertyLookup::numberOr(const std::string& name, float standard) const {
    const ObjectProperty* own = named(name);
    return own ? checkedNumber(own->value) : standard;
}

std::optional<double> PropertyLookup::numberIn(const std::string& text) {
    // strtod skips the spaces in front; atof would read "1,5" as 1 and "abc" as 0 without a word.
    const char* start = text.c_str();
    char* end = nullptr;
    const double value = std::strtod(start, &end);
    if (end == start) {
        return std::nullopt;
    }
    while (std::isspace(static_cast<unsigned char>(*end))) {
        ++end;
    }
    // Positions and speeds are floats: a number beyond them would carry on as infinity.
    if (*end != '\0' || !std::isfinite(static_cast<float>(value))) {
        return std::nullopt;
    }
    return value;
}

float PropertyLookup::checkedNumber(const std::string& text) {
    return static_cast<float>(numberIn(text).value_or(0.0));
}
