#include "platform/speech/speechtext.h"

#include <algorithm>
#include <cmath>

#include "platform/cp932.h"

namespace kvr::speech {

namespace {

// Decodes one UTF-8 sequence at text[pos]; advances pos. Invalid bytes give U+FFFD.
char32_t nextCodePoint(std::string_view text, std::size_t &pos)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    const int extra = lead < 0x80 ? 0 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
    if (extra < 0 || pos + static_cast<std::size_t>(extra) >= text.size()) {
        pos = extra < 0 ? pos + 1 : text.size();
        return extra == 0 ? lead : 0xFFFD;
    }
    char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
    for (int i = 1; i <= extra; ++i)
        c = (c << 6) | (byte(pos + static_cast<std::size_t>(i)) & 0x3F);
    pos += static_cast<std::size_t>(extra) + 1;
    return c;
}

bool isJapaneseChar(char32_t u)
{
    return (u >= 0x3000 && u <= 0x30FF) // CJK punctuation, hiragana, katakana
        || (u >= 0x31F0 && u <= 0x31FF) || (u >= 0x3400 && u <= 0x4DBF)
        || (u >= 0x4E00 && u <= 0x9FFF) || (u >= 0xF900 && u <= 0xFAFF)
        || (u >= 0xFF00 && u <= 0xFFEF); // full-width and half-width forms
}

} // namespace

bool isJapaneseText(std::string_view utf8)
{
    for (std::size_t pos = 0; pos < utf8.size();) {
        if (isJapaneseChar(nextCodePoint(utf8, pos)))
            return true;
    }
    return false;
}

Voice voiceFor(std::string_view utf8)
{
    return isJapaneseText(utf8) ? Voice::Japanese : Voice::Latin;
}

std::string spokenText(std::string_view cp932)
{
    const std::string utf8 = cp932::toUtf8(cp932);
    std::string result;
    bool blank = false;
    for (const char c : utf8) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f') {
            blank = !result.empty();
            continue;
        }
        if (blank)
            result += ' ';
        blank = false;
        result += c;
    }
    return result;
}

SynthesisOptions synthesisOptions(double rate, double volume)
{
    rate = std::clamp(rate, -1.0, 1.0);
    volume = std::clamp(volume, 0.0, 1.0);
    SynthesisOptions options;
    options.speed = std::pow(2.0, rate);
    options.durationStretch = 1.0 / options.speed;
    options.silent = volume <= 0.0;
    options.gainDb = options.silent ? 0.0 : 20.0 * std::log10(volume);
    options.fliteScale = static_cast<int>(std::lround(volume * 65536.0));
    return options;
}

} // namespace kvr::speech
