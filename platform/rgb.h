#pragma once

#include <cstdint>

namespace kvr {

// A colour as plain red, green, blue.
struct Rgb
{
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Rgb &) const = default;
};

// Windows COLORREF order (0x00BBGGRR), as BackgroundColor is stored.
constexpr Rgb rgbFromColorRef(std::int32_t colorRef)
{
    return Rgb { static_cast<std::uint8_t>(colorRef & 0xFF),
                 static_cast<std::uint8_t>((colorRef >> 8) & 0xFF),
                 static_cast<std::uint8_t>((colorRef >> 16) & 0xFF) };
}

constexpr std::int32_t colorRefFromRgb(Rgb colour)
{
    return static_cast<std::int32_t>(colour.red | (colour.green << 8) | (colour.blue << 16));
}

} // namespace kvr
