#pragma once

#include "map/LevelSchema.hpp"
#include "map/TileMap.hpp"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// How the game finds one map object's properties: the ones its type requires by their position among the
// object's properties, counting only those, and the optional ones by name wherever they lie. Tiled sorts
// properties by name when it saves, so an optional one may land anywhere in an older map's list. Refers to
// the object, which must outlive the lookup.
class PropertyLookup {
public:
    explicit PropertyLookup(const MapObject& object);

    // How many properties are read by position.
    std::size_t positionalCount() const { return positional.size(); }
    // The property read at `position`; throws std::out_of_range past positionalCount().
    const ObjectProperty& at(std::size_t position) const;
    // The object's own value of the optional property `name`, or nothing when it leaves it to its type.
    const ObjectProperty* named(const std::string& name) const;
    // The optional property's number as the game uses it: the object's own, else the type's default.
    float numberOr(const std::string& name, float standard) const;

    // The number a property's text holds, for the game and the map checker alike, so that they never
    // disagree: spaces around it are allowed, anything else makes it no number ("1,5", "abc", ""), and so
    // does a value no float can hold ("inf", "nan", 1e999).
    static std::optional<double> numberIn(const std::string& text);
    // numberIn() for a value the map checker has passed; 0 for any other.
    static float checkedNumber(const std::string& text);

private:
    const LevelSchema::ObjectType* type;
    std::vector<const ObjectProperty*> positional;
    std::vector<const ObjectProperty*> optional;
};
