#include "PixelCanvas.hpp"

#include <algorithm>

PixelCanvas::PixelCanvas() {
    pixels.create(kSize, kSize, sf::Color::Transparent);
}

void PixelCanvas::set(int x, int y, sf::Color color) {
    if (x < 0 || y < 0 || x >= kSize || y >= kSize) {
        return;
    }
    pixels.setPixel(static_cast<unsigned>(x), static_cast<unsigned>(y), color);
}

sf::Color PixelCanvas::get(int x, int y) const {
    if (x < 0 || y < 0 || x >= kSize || y >= kSize) {
        return sf::Color::Transparent;
    }
    return pixels.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y));
}

void PixelCanvas::blend(int x, int y, sf::Color color) {
    const sf::Color below = get(x, y);
    const int a = color.a;
    const auto mix = [a](int top, int bottom) {
        return static_cast<sf::Uint8>((top * a + bottom * (255 - a)) / 255);
    };
    const int outAlpha = std::min(255, a + below.a * (255 - a) / 255);
    set(x, y,
        sf::Color(mix(color.r, below.r), mix(color.g, below.g), mix(color.b, below.b),
                  static_cast<sf::Uint8>(outAlpha)));
}

void PixelCanvas::fill(sf::Color color) {
    fillRect(0, 0, kSize, kSize, color);
}

void PixelCanvas::fillRect(int left, int top, int width, int height, sf::Color color) {
    for (int y = top; y < top + height; ++y) {
        for (int x = left; x < left + width; ++x) {
            set(x, y, color);
        }
    }
}

void PixelCanvas::fillDisc(float centreX, float centreY, float radius, sf::Color color) {
    fillEllipse(centreX, centreY, radius, radius, color);
}

void PixelCanvas::fillEllipse(float centreX, float centreY, float radiusX, float radiusY, sf::Color color) {
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const float dx = (static_cast<float>(x) + 0.5f - centreX) / radiusX;
            const float dy = (static_cast<float>(y) + 0.5f - centreY) / radiusY;
            if (dx * dx + dy * dy <= 1.0f) {
                blend(x, y, color);
            }
        }
    }
}

void PixelCanvas::speckle(sf::Color base, sf::Color dark, sf::Color light, std::uint32_t seed,
                          int darkPercent, int lightPercent) {
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const int roll = static_cast<int>(hash(x, y, seed) % 100);
            if (roll < darkPercent) {
                set(x, y, dark);
            } else if (roll < darkPercent + lightPercent) {
                set(x, y, light);
            } else {
                set(x, y, base);
            }
        }
    }
}

void PixelCanvas::copyTo(sf::Image& sheet, unsigned left, unsigned top) const {
    sheet.copy(pixels, left, top, sf::IntRect(0, 0, kSize, kSize), false);
}

std::uint32_t PixelCanvas::hash(int x, int y, std::uint32_t seed) {
    std::uint32_t h = seed * 0x9E3779B1u ^ static_cast<std::uint32_t>(x) * 0x85EBCA77u ^
                      static_cast<std::uint32_t>(y) * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

sf::Color PixelCanvas::shade(sf::Color color, int delta) {
    const auto clampChannel = [delta](int c) {
        return static_cast<sf::Uint8>(std::clamp(c + delta, 0, 255));
    };
    return sf::Color(clampChannel(color.r), clampChannel(color.g), clampChannel(color.b), color.a);
}
