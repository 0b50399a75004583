#include "ObjectTypesWriter.hpp"

#include "map/LevelSchema.hpp"
#include "map/XmlText.hpp"

#include <string>

namespace {

void writeType(std::ostream& out, const LevelSchema::ObjectType& type) {
    out << " <!-- " << XmlText::escaped(type.meaning) << " -->\n";
    out << " <objecttype name=\"" << XmlText::escaped(type.type) << "\" color=\"" << type.colour << "\"";
    if (type.properties.empty()) {
        out << "/>\n";
        return;
    }
    out << ">\n";
    for (const LevelSchema::Property& property : type.properties) {
        out << "  <property name=\"" << XmlText::escaped(property.name) << "\" type=\""
            << LevelSchema::tiledType(property.kind) << "\" default=\""
            << XmlText::escaped(property.defaultValue) << "\"/>\n";
    }
    out << " </objecttype>\n";
}

} // namespace

void ObjectTypesWriter::write(std::ostream& out) {
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out << "<!-- Written by pellowick-objecttypes from the game's rules for level objects; do not edit. "
           "-->\n";
    out << "<objecttypes>\n";
    for (const LevelSchema::ObjectType& type : LevelSchema::objectTypes()) {
        writeType(out, type);
    }
    out << "</objecttypes>\n";
}
