#include "map/TmxReader.hpp"

#include "common/FileCheck.hpp"
#include "i18n/Translator.hpp"

#include <SFML/System/Err.hpp>
#include <SFML/System/FileInputStream.hpp>
#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <rapidxml/rapidxml.hpp>
#include <vector>

namespace {

constexpr int kMaxCells = 4096;    // per side of the map and of every layer
constexpr int kMaxTileSize = 1024; // pixels per side of a tile
constexpr int kMaxNesting = 64;    // elements inside elements
constexpr long long kFirstFlipBit = 1LL << 29;
const char* const kCsvSeparators = " \t,\n\r";

using Node = rapidxml::xml_node<char>;

bool isCsvSeparator(char c) {
    return c != '\0' && std::strchr(kCsvSeparators, c) != nullptr;
}

// A problem found while reading; `where` points into the parsed buffer (or is null) to give a line number.
struct ReadError {
    const char* where;
    std::string problem;
};

// Like atoi, but saturating instead of overflowing on absurd numbers.
long long leadingNumber(const char* text, const char* end) {
    while (text < end && std::isspace(static_cast<unsigned char>(*text))) {
        ++text;
    }
    bool negative = false;
    if (text < end && (*text == '+' || *text == '-')) {
        negative = *text++ == '-';
    }
    long long value = 0;
    for (; text < end && std::isdigit(static_cast<unsigned char>(*text)); ++text) {
        value = std::min(value * 10 + (*text - '0'), static_cast<long long>(INT_MAX) + 1);
    }
    return negative ? -value : value;
}

int toInt(const char* text) {
    const long long value = leadingNumber(text, text + std::strlen(text));
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

const char* findAttribute(const Node* node, const char* name) {
    const auto* attribute = node->first_attribute(name);
    return attribute ? attribute->value() : nullptr;
}

// "<layer name="inside">": the element with whatever identifies it best.
std::string describe(const Node* node) {
    std::string text = "<" + std::string(node->name());
    for (const char* key : {"name", "id", "firstgid"}) {
        if (const char* value = findAttribute(node, key)) {
            text += std::string(" ") + key + "=\"" + value + "\"";
            break;
        }
    }
    return text + ">";
}

const char* requireAttribute(const Node* node, const char* name) {
    const char* value = findAttribute(node, name);
    if (!value) {
        throw ReadError{node->name(), fill(tr("{1} lacks \"{2}\""), {describe(node), name})};
    }
    return value;
}

const Node* requireChild(const Node* node, const char* name) {
    const Node* child = node->first_node(name);
    if (!child) {
        throw ReadError{node->name(), fill(tr("{1} lacks <{2}>"), {describe(node), name})};
    }
    return child;
}

int requireInRange(const Node* node, const char* name, int low, int high) {
    const int value = toInt(requireAttribute(node, name));
    if (value < low || value > high) {
        throw ReadError{node->name(), fill(tr("{1} has {2} {3}, outside {4}..{5}"),
                                           {describe(node), name, std::to_string(value), std::to_string(low),
                                            std::to_string(high)})};
    }
    return value;
}

std::string optionalText(const Node* node, const char* name) {
    const char* value = findAttribute(node, name);
    return value ? value : "";
}

int optionalInt(const Node* node, const char* name) {
    const char* value = findAttribute(node, name);
    return value ? toInt(value) : 0;
}

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

// The smallest non-empty tile id of a layer, remembered until all tilesets are known.
struct LowestTile {
    long long id = LLONG_MAX;
    std::size_t cell = 0;
    const char* where = nullptr;
};

class TmxParser {
public:
    TmxParser(char* text, std::string sourceName, std::ostream& errors)
        : text(text), sourceName(std::move(sourceName)), errors(errors) {
        // Line numbers are taken before the in-place parse overwrites some of the line ends.
        for (const char* p = text; *p; ++p) {
            if (*p == '\n') {
                lineEnds.push_back(static_cast<std::size_t>(p - text));
            }
        }
    }

    std::unique_ptr<TileMap> parse() {
        try {
            return parseDocument();
        } catch (const rapidxml::parse_error& error) {
            report(error.where<char>(), fill(tr("not well-formed XML: {1}"), {error.what()}));
        } catch (const ReadError& error) {
            report(error.where, error.problem);
        }
        return nullptr;
    }

private:
    std::unique_ptr<TileMap> parseDocument() {
        checkNesting();
        rapidxml::xml_document<char> document;
        document.parse<rapidxml::parse_default>(text);
        const Node* mapNode = document.first_node("map");
        if (!mapNode) {
            throw ReadError{nullptr, tr("no <map> element")};
        }
        auto map = std::make_unique<TileMap>();
        readMapAttributes(mapNode, *map);
        map->properties = readProperties(mapNode);
        for (const Node* node = mapNode->first_node("tileset"); node; node = node->next_sibling("tileset")) {
            map->tilesets.push_back(readTileset(node, map->tilesets));
        }
        for (const Node* node = mapNode->first_node("layer"); node; node = node->next_sibling("layer")) {
            map->layers.push_back(readLayer(node));
        }
        for (const Node* node = mapNode->first_node("objectgroup"); node;
             node = node->next_sibling("objectgroup")) {
            map->objectGroups.push_back(readObjectGroup(node));
        }
        checkTilesCovered(*map);
        return map;
    }

    // The XML parser descends into nested elements recursively; a file nesting them absurdly deep would
    // exhaust the stack. Counting tags is enough here: Tiled's maps nest a handful of levels.
    void checkNesting() const {
        int depth = 0;
        for (const char* p = text; *p; ++p) {
            if (p[0] == '/' && p[1] == '>') {
                --depth;
            }
            if (*p != '<' || p[1] == '!' || p[1] == '?') {
                continue;
            }
            depth += p[1] == '/' ? -1 : 1;
            if (depth > kMaxNesting) {
                throw ReadError{
                    p, fill(tr("elements nested more than {1} deep"), {std::to_string(kMaxNesting)})};
            }
        }
    }

    static void readMapAttributes(const Node* node, TileMap& map) {
        map.width = requireInRange(node, "width", 0, kMaxCells);
        map.height = requireInRange(node, "height", 0, kMaxCells);
        map.tileWidth = requireInRange(node, "tilewidth", 1, kMaxTileSize);
        map.tileHeight = requireInRange(node, "tileheight", 1, kMaxTileSize);
    }

    Tileset readTileset(const Node* node, const std::vector<Tileset>& earlier) const {
        if (const char* file = findAttribute(node, "source")) {
            throw ReadError{
                node->name(),
                fill(tr("{1} refers to the external tileset file {2}; embed the tileset in the map"),
                     {describe(node), quoted(file)})};
        }
        Tileset tileset;
        tileset.firstGid = requireInRange(node, "firstgid", 1, INT_MAX);
        tileset.name = requireAttribute(node, "name");
        tileset.tileWidth = requireInRange(node, "tilewidth", 1, kMaxTileSize);
        tileset.tileHeight = requireInRange(node, "tileheight", 1, kMaxTileSize);
        tileset.imageSource = requireAttribute(requireChild(node, "image"), "source");
        tileset.line = lineOf(node);
        if (!earlier.empty() && tileset.firstGid <= earlier.back().firstGid) {
            throw ReadError{node->name(),
                            fill(tr("tileset {1} starts at id {2}, not after tileset {3} ({4})"),
                                 {quoted(tileset.name), std::to_string(tileset.firstGid),
                                  quoted(earlier.back().name), std::to_string(earlier.back().firstGid)})};
        }
        return tileset;
    }

    TileLayer readLayer(const Node* node) {
        TileLayer layer;
        layer.name = requireAttribute(node, "name");
        layer.line = lineOf(node);
        layer.width = requireInRange(node, "width", 0, kMaxCells);
        layer.height = requireInRange(node, "height", 0, kMaxCells);
        const Node* data = requireChild(node, "data");
        checkDataEncoding(data, layer.name);
        readCsv(data, layer);
        return layer;
    }

    static void checkDataEncoding(const Node* data, const std::string& layerName) {
        const std::string what = quoted(layerName);
        const char* encoding = findAttribute(data, "encoding");
        if (encoding && std::strcmp(encoding, "csv") != 0) {
            throw ReadError{data->name(),
                            fill(tr("layer {1} stores its tiles as {2}; save the map with CSV layer data"),
                                 {what, encoding})};
        }
        if (findAttribute(data, "compression")) {
            throw ReadError{data->name(),
                            fill(tr("layer {1} is compressed; save the map with CSV layer data"), {what})};
        }
        if (data->first_node("chunk")) {
            throw ReadError{
                data->name(),
                fill(tr("layer {1} is split into chunks (an infinite map); the game needs a fixed-size map"),
                     {what})};
        }
        if (data->first_node("tile")) {
            throw ReadError{
                data->name(),
                fill(tr("layer {1} stores its tiles as <tile> elements; save the map with CSV layer data"),
                     {what})};
        }
    }

    void readCsv(const Node* data, TileLayer& layer) {
        const std::size_t expected = static_cast<std::size_t>(layer.width) * layer.height;
        layer.tiles.reserve(expected);
        std::size_t count = 0;
        LowestTile lowest;
        const char* cursor = data->value();
        const char* const end = cursor + data->value_size();
        while (cursor < end) {
            // Bounded scans: the text may hold a zero byte (from "&#0;"), where strspn would stop for good.
            while (cursor < end && isCsvSeparator(*cursor)) {
                ++cursor;
            }
            if (cursor >= end) {
                break;
            }
            const char* tokenEnd = cursor;
            while (tokenEnd < end && !isCsvSeparator(*tokenEnd)) {
                ++tokenEnd;
            }
            const long long id = leadingNumber(cursor, tokenEnd);
            if (id < 0 || id >= kFirstFlipBit) {
                throw ReadError{
                    cursor, fill(tr("layer {1} cell {2} uses flipped tiles, which the game does not support"),
                                 {quoted(layer.name), std::to_string(count)})};
            }
            if (id != 0 && id < lowest.id) {
                lowest = {id, count, cursor};
            }
            if (count < expected) {
                layer.tiles.push_back(static_cast<int>(id));
            }
            ++count;
            cursor = tokenEnd;
        }
        if (count != expected) {
            throw ReadError{data->name(),
                            fill(tr("layer {1} has {2} tiles, expected {3} ({4}x{5})"),
                                 {quoted(layer.name), std::to_string(count), std::to_string(expected),
                                  std::to_string(layer.width), std::to_string(layer.height)})};
        }
        lowestTiles.push_back(lowest);
    }

    ObjectGroup readObjectGroup(const Node* node) const {
        ObjectGroup group;
        group.name = requireAttribute(node, "name");
        group.line = lineOf(node);
        if (const char* visible = findAttribute(node, "visible")) {
            group.visible = toInt(visible) != 0;
        }
        for (const Node* child = node->first_node("object"); child; child = child->next_sibling("object")) {
            group.objects.push_back(readObject(child));
        }
        return group;
    }

    MapObject readObject(const Node* node) const {
        MapObject object;
        object.name = optionalText(node, "name");
        object.line = lineOf(node);
        object.gid = optionalInt(node, "gid");
        object.type = optionalText(node, "type");
        object.x = toInt(requireAttribute(node, "x"));
        object.y = toInt(requireAttribute(node, "y"));
        object.width = optionalInt(node, "width");
        object.height = optionalInt(node, "height");
        object.properties = readProperties(node);
        return object;
    }

    std::vector<ObjectProperty> readProperties(const Node* node) const {
        std::vector<ObjectProperty> read;
        if (const Node* properties = node->first_node("properties")) {
            for (const Node* property = properties->first_node("property"); property;
                 property = property->next_sibling("property")) {
                read.push_back({requireAttribute(property, "name"), requireAttribute(property, "value"),
                                lineOf(property)});
            }
        }
        return read;
    }

    // Done last: tilesets may follow the layers in the file.
    void checkTilesCovered(const TileMap& map) const {
        for (std::size_t i = 0; i < map.layers.size(); ++i) {
            const LowestTile& lowest = lowestTiles[i];
            if (lowest.where == nullptr) {
                continue;
            }
            if (map.tilesets.empty()) {
                throw ReadError{lowest.where,
                                fill(tr("layer {1} cell {2} holds tile {3} but the map has no tileset"),
                                     {quoted(map.layers[i].name), std::to_string(lowest.cell),
                                      std::to_string(lowest.id)})};
            }
            if (lowest.id < map.tilesets.front().firstGid) {
                throw ReadError{
                    lowest.where,
                    fill(tr("layer {1} cell {2} holds tile {3}, below the first tileset's first id {4}"),
                         {quoted(map.layers[i].name), std::to_string(lowest.cell), std::to_string(lowest.id),
                          std::to_string(map.tilesets.front().firstGid)})};
            }
        }
    }

    // The line of a place in the parsed buffer: an element's name lies on the line its tag starts.
    int lineOf(const char* where) const {
        const auto offset = static_cast<std::size_t>(where - text);
        return static_cast<int>(std::lower_bound(lineEnds.begin(), lineEnds.end(), offset) -
                                lineEnds.begin() + 1);
    }
    int lineOf(const Node* node) const { return lineOf(node->name()); }

    void report(const char* where, const std::string& problem) const {
        if (where == nullptr || where < text) {
            errors << sourceName << ": " << problem << std::endl;
            return;
        }
        errors << sourceName << ":" << lineOf(where) << ": " << problem << std::endl;
    }

    char* text;
    std::string sourceName;
    std::ostream& errors;
    std::vector<std::size_t> lineEnds;
    std::vector<LowestTile> lowestTiles; // one per layer read
};

} // namespace

std::unique_ptr<TileMap> parseTileMap(char* text, const std::string& sourceName) {
    return parseTileMap(text, sourceName, sf::err());
}

std::unique_ptr<TileMap> parseTileMap(char* text, const std::string& sourceName, std::ostream& errors) {
    static const char kByteOrderMark[] = "\xEF\xBB\xBF";
    if (std::strncmp(text, kByteOrderMark, 3) == 0) {
        text += 3;
    }
    return TmxParser(text, sourceName, errors).parse();
}

std::unique_ptr<TileMap> parseTileMapString(std::string text, const std::string& sourceName) {
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    return parseTileMap(buffer.data(), sourceName);
}

std::unique_ptr<TileMap> readTileMapFile(const std::string& path) {
    return readTileMapFile(path, sf::err());
}

std::unique_ptr<TileMap> readTileMapFile(const std::string& path, std::ostream& errors) {
    if (const std::string problem = FileCheck::problemWith(path, FileCheck::kLargestMap); !problem.empty()) {
        errors << path << ": " << problem << std::endl;
        return nullptr;
    }
    sf::FileInputStream file;
    if (!file.open(path)) {
        errors << "loadMap: " << fill(tr("could not open file {1}"), {path}) << std::endl;
        return nullptr;
    }
    const sf::Int64 size = std::max<sf::Int64>(file.getSize(), 0);
    std::vector<char> buffer(static_cast<std::size_t>(size) + 1, '\0');
    const sf::Int64 got = file.read(buffer.data(), size);
    if (got != size) {
        errors << path << ": " << tr("could not read the whole file") << std::endl;
        return nullptr;
    }
    return parseTileMap(buffer.data(), path, errors);
}
