#pragma once

// The one conversion between the core's colours and Qt's.

#include <cstdint>

#include <QColor>

#include "platform/rgb.h"

namespace kvr::ui {

inline QColor toQColor(Rgb rgb)
{
    return QColor(rgb.red, rgb.green, rgb.blue);
}

// A colour stored in Windows COLORREF order (0x00BBGGRR), as BackgroundColor is.
inline QColor colorRefToQColor(std::int32_t colorRef)
{
    return toQColor(rgbFromColorRef(colorRef));
}

inline Rgb toRgb(const QColor &colour)
{
    return Rgb { static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
                 static_cast<std::uint8_t>(colour.blue()) };
}

} // namespace kvr::ui
