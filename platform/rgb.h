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

// Text drawn straight on a background colour: black on a light one, white on a dark one,
// judged by perceived lightness (ITU-R BT.601 weights), so a navy or dark red background
// gets white labels. Disabled text lies between the text and the background.
struct TextColours
{
    Rgb text;
    Rgb disabled;
    bool operator==(const TextColours &) const = default;
};

constexpr bool isDarkColour(Rgb colour)
{
    return 299 * colour.red + 587 * colour.green + 114 * colour.blue < 128 * 1000;
}

constexpr TextColours textColoursOn(Rgb background)
{
    const Rgb text = isDarkColour(background) ? Rgb { 255, 255, 255 } : Rgb { 0, 0, 0 };
    const auto mix = [](std::uint8_t a, std::uint8_t b) {
        return static_cast<std::uint8_t>((a * 11 + b * 9) / 20); // a little nearer the text
    };
    return TextColours { text,
                         Rgb { mix(text.red, background.red), mix(text.green, background.green),
                               mix(text.blue, background.blue) } };
}

} // namespace kvr
