#include "map/PropertyLookup.hpp"

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
        throw std::out_of_range("the object has no property at position " + std::to_string(position));
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
    return own ? static_cast<float>(std::atof(own->value.c_str())) : standard;
}
