#!/usr/bin/env python3
"""Prints the parts of a map exported by Tiled as JSON that the game reads, one fact per line, in the
same form as the map tests print what our TMX reader made of the original file."""
import json
import sys


def text_of(value):
    if isinstance(value, bool):
        return "true" if value else "false"
    if isinstance(value, float) and value.is_integer():
        return str(int(value))
    return str(value)


def main(path):
    with open(path, encoding="utf-8") as source:
        tiled_map = json.load(source)
    lines = ["map %dx%d cells of %dx%d" % (tiled_map["width"], tiled_map["height"],
                                          tiled_map["tilewidth"], tiled_map["tileheight"])]
    for tileset in tiled_map.get("tilesets", []):
        lines.append("tileset %d %s %dx%d" % (tileset["firstgid"], tileset.get("name", ""),
                                              tileset.get("tilewidth", 0), tileset.get("tileheight", 0)))
    layers = tiled_map.get("layers", [])
    for layer in layers:
        if layer["type"] == "tilelayer":
            lines.append("layer %s %dx%d: %s" % (layer["name"], layer["width"], layer["height"],
                                                 ",".join(str(tile) for tile in layer["data"])))
    for group in layers:
        if group["type"] != "objectgroup":
            continue
        lines.append("group %s visible=%d" % (group["name"], 1 if group.get("visible", True) else 0))
        for item in group.get("objects", []):
            lines.append("object %s|%s|%d|%d|%d|%d" % (item.get("name", ""), item.get("type", ""),
                                                       int(item["x"]), int(item["y"]),
                                                       int(item.get("width", 0)), int(item.get("height", 0))))
            for prop in item.get("properties", []):
                lines.append("property %s=%s" % (prop["name"], text_of(prop["value"])))
    print("\n".join(lines))


if __name__ == "__main__":
    main(sys.argv[1])
