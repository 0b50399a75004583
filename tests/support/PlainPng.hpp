#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>
#include <zlib.h>

// Writes a valid black PNG of any size (one bit a pixel, compressed as it goes), so a test can offer the
// game a picture of 16384x16384 pixels in a small file without building it in memory first.
inline void writePlainPng(const std::string& path, std::uint32_t width, std::uint32_t height) {
    const auto put32 = [](std::string& out, std::uint32_t value) {
        for (int shift = 24; shift >= 0; shift -= 8) {
            out += static_cast<char>((value >> shift) & 0xFF);
        }
    };
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    const auto chunk = [&](const std::string& type, const std::string& data) {
        std::string bytes;
        put32(bytes, static_cast<std::uint32_t>(data.size()));
        bytes += type + data;
        const auto* typed = reinterpret_cast<const Bytef*>(bytes.data() + 4);
        put32(bytes, static_cast<std::uint32_t>(crc32(0, typed, static_cast<uInt>(bytes.size() - 4))));
        file << bytes;
    };
    file << "\x89PNG\r\n\x1A\n";
    std::string header;
    put32(header, width);
    put32(header, height);
    header += std::string("\x01\x00\x00\x00\x00", 5); // 1-bit greyscale, deflate, no filter, no interlace
    chunk("IHDR", header);

    z_stream stream{};
    deflateInit(&stream, Z_BEST_SPEED);
    std::vector<Bytef> row(1 + (width + 7) / 8, 0); // filter byte, then the pixels
    std::string compressed;
    std::vector<Bytef> out(1 << 16);
    for (std::uint32_t y = 0; y <= height; ++y) {
        const bool last = y == height;
        stream.next_in = row.data();
        stream.avail_in = last ? 0 : static_cast<uInt>(row.size());
        do {
            stream.next_out = out.data();
            stream.avail_out = static_cast<uInt>(out.size());
            deflate(&stream, last ? Z_FINISH : Z_NO_FLUSH);
            compressed.append(reinterpret_cast<char*>(out.data()), out.size() - stream.avail_out);
        } while (stream.avail_out == 0);
    }
    deflateEnd(&stream);
    chunk("IDAT", compressed);
    chunk("IEND", "");
}
