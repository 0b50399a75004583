#pragma once

#include "map/TileMap.hpp"

#include <memory>
#include <ostream>
#include <string>

// Reading the level file: Tiled TMX with embedded tilesets and CSV layer data.
//
// All three entry points return either a complete map or nullptr. On failure exactly one line goes to
// sf::err(): "<sourceName>:<line>: <problem>" when the problem has a place in the file, otherwise
// "<sourceName>: <problem>". Nothing half-read is ever returned.
//
// Besides well-formed XML and the required elements and attributes, the reader refuses layer data whose
// count differs from width x height, sizes outside 0..4096 cells (tile size 1..1024 pixels), tile ids with
// Tiled's flip bits, ids below the first tileset's first id, and tilesets not in ascending first-id order.

// Parses a zero-terminated, writable buffer in place (the buffer is overwritten; the result copies what it
// needs, so the buffer may be released right after the call).
std::unique_ptr<TileMap> parseTileMap(char* text, const std::string& sourceName = "map");
// Same, writing the line of a failure to `errors` instead of sf::err().
std::unique_ptr<TileMap> parseTileMap(char* text, const std::string& sourceName, std::ostream& errors);

// Same, from a string (convenient for tests and tools).
std::unique_ptr<TileMap> parseTileMapString(std::string text, const std::string& sourceName = "map");

// Reads a whole file and parses it, naming the file in any error. A file that cannot be opened gives the
// line "loadMap: could not open file <path>"; a folder, pipe or device, or a file above
// FileCheck::kLargestMap bytes, is refused before it is read, with one line from FileCheck.
std::unique_ptr<TileMap> readTileMapFile(const std::string& path);
// Same, writing the line of a failure to `errors` instead of sf::err(): nothing else is written anywhere,
// so a thread of its own may read a map while the game goes on.
std::unique_ptr<TileMap> readTileMapFile(const std::string& path, std::ostream& errors);
