#include "TmxDocument.hpp"

#include "map/XmlText.hpp"

#include <SFML/System/Err.hpp>
#include <fstream>
#include <sstream>

TmxDocument::TmxDocument(int width, int height, int tileSize)
    : mapWidth(width), mapHeight(height), tileSize(tileSize) {}

bool TmxDocument::save(const std::string& path) const {
    std::ofstream out(path, std::ios::binary);
    out << toXml();
    if (!out) {
        sf::err() << path << ": cannot write the map" << std::endl;
        return false;
    }
    return true;
}

std::string TmxDocument::toXml() const {
    const int layerCount = static_cast<int>(layers.size());
    std::ostringstream xml;
    xml << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    xml << "<map version=\"1.8\" tiledversion=\"1.8.2\" orientation=\"orthogonal\" renderorder=\"right-down\""
        << " width=\"" << mapWidth << "\" height=\"" << mapHeight << "\" tilewidth=\"" << tileSize
        << "\" tileheight=\"" << tileSize << "\" infinite=\"0\" nextlayerid=\"" << layerCount + 2
        << "\" nextobjectid=\"" << objects.size() + 1 << "\">\n";
    writeProperties(xml, mapProperties, " ");
    for (const auto& t : tilesets) {
        writeTileset(xml, t);
    }
    for (int i = 0; i < layerCount; ++i) {
        writeLayer(xml, i + 1, layers[static_cast<std::size_t>(i)]);
    }
    xml << " <objectgroup id=\"" << layerCount + 1 << "\" name=\"" << XmlText::escaped(groupName) << "\">\n";
    int id = 1;
    for (const auto& o : objects) {
        writeObject(xml, id++, o);
    }
    xml << " </objectgroup>\n";
    xml << "</map>\n";
    return xml.str();
}

void TmxDocument::writeTileset(std::ostream& xml, const TilesetEntry& t) const {
    xml << " <tileset firstgid=\"" << t.firstGid << "\" name=\"" << XmlText::escaped(t.name)
        << "\" tilewidth=\"" << tileSize << "\" tileheight=\"" << tileSize << "\" tilecount=\"" << t.tileCount
        << "\" columns=\"" << t.columns << "\">\n";
    xml << "  <image source=\"" << XmlText::escaped(t.imageFile) << "\" width=\"" << t.imageWidth
        << "\" height=\"" << t.imageHeight << "\"/>\n";
    xml << " </tileset>\n";
}

void TmxDocument::writeLayer(std::ostream& xml, int id, const Layer& layer) const {
    xml << " <layer id=\"" << id << "\" name=\"" << XmlText::escaped(layer.name) << "\" width=\"" << mapWidth
        << "\" height=\"" << mapHeight << "\">\n";
    xml << "  <data encoding=\"csv\">\n";
    for (int y = 0; y < mapHeight; ++y) {
        for (int x = 0; x < mapWidth; ++x) {
            xml << layer.gids[static_cast<std::size_t>(y * mapWidth + x)];
            const bool last = y == mapHeight - 1 && x == mapWidth - 1;
            if (!last) {
                xml << ',';
            }
        }
        xml << '\n';
    }
    xml << "</data>\n";
    xml << " </layer>\n";
}

void TmxDocument::writeObject(std::ostream& xml, int id, const Object& o) {
    xml << "  <object id=\"" << id << "\" name=\"" << XmlText::escaped(o.name) << "\" type=\""
        << XmlText::escaped(o.type) << "\" x=\"" << o.x << "\" y=\"" << o.y << "\"";
    if (!o.point) {
        xml << " width=\"" << o.width << "\" height=\"" << o.height << "\"";
    }
    if (o.properties.empty() && !o.point) {
        xml << "/>\n";
        return;
    }
    xml << ">\n";
    writeProperties(xml, o.properties, "   ");
    if (o.point) {
        xml << "   <point/>\n";
    }
    xml << "  </object>\n";
}

void TmxDocument::writeProperties(std::ostream& xml, const std::vector<Property>& properties,
                                  const std::string& indent) {
    if (properties.empty()) {
        return;
    }
    xml << indent << "<properties>\n";
    for (const auto& p : properties) {
        xml << indent << " <property name=\"" << XmlText::escaped(p.name) << "\"";
        if (p.type != "string") {
            xml << " type=\"" << p.type << "\"";
        }
        xml << " value=\"" << XmlText::escaped(p.value) << "\"/>\n";
    }
    xml << indent << "</properties>\n";
}
