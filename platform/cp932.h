#pragma once

#include <string>
#include <string_view>
#include <vector>

// CP932 (the Japanese Windows code page) helpers. All text in memory is CP932 bytes;
// conversion to UTF-8 happens only at the widget and file-name boundaries.
namespace kvr::cp932 {

// True for the first byte of a double-byte character.
constexpr bool isLeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}
constexpr bool isLeadByte(char c)
{
    return isLeadByte(static_cast<unsigned char>(c));
}

// Length in bytes of the character that starts at text[pos] (1 or 2; 1 for a lone lead
// byte at the end of the text).
std::size_t charLength(std::string_view text, std::size_t pos);

// The length of the longest start of text that fits in maxBytes without splitting a
// double-byte character.
std::size_t fittingPrefix(std::string_view text, std::size_t maxBytes);

// A text for a widget cell: at most maxBytes, cut at a character boundary with "…" at the
// end when longer, so a huge stored text never reaches the widgets whole.
constexpr std::size_t kDisplayTextBytes = 1024;
std::string cutForDisplay(std::string_view text, std::size_t maxBytes = kDisplayTextBytes);

// Number of characters, a double-byte character counting as one.
std::size_t charCount(std::string_view text);

// Decodes CP932 to UTF-8. Never fails: a byte sequence that is not CP932 becomes U+FFFD.
std::string toUtf8(std::string_view cp932);

struct Encoded
{
    std::string bytes; // the CP932 text; unmappable characters become '?'
    std::vector<char32_t> unmappable; // the characters CP932 cannot hold, in text order
    bool ok() const { return unmappable.empty(); }
};

// Encodes UTF-8 to CP932. Invalid UTF-8 counts as unmappable (as U+FFFD).
Encoded fromUtf8(std::string_view utf8);

// File names of the machine (on Linux UTF-8 bytes) as CP932 paths and back, without loss:
// a character CP932 cannot hold (/home/müller) and a byte that is not UTF-8 keep their
// bytes, each as one character of the user-defined row F9 (F940…F9C0), which the way back
// turns into the byte again. Everything else is plain CP932, so a path shows as usual.
std::string fromNativePath(std::string_view native);
std::string toNativePath(std::string_view cp932Path);

// The system's own texts are written as UTF-8 literals; this gives their CP932 bytes.
// The text must be representable (checked in debug builds).
std::string text(std::string_view utf8);
inline std::string text(std::u8string_view utf8)
{
    return text(std::string_view(reinterpret_cast<const char *>(utf8.data()), utf8.size()));
}

// Upper-case mapping of one character as CP932 does it for ASCII letters (a-z) and
// full-width letters (ａ-ｚ → Ａ-Ｚ); other characters are returned unchanged.
std::string toUpper(std::string_view cp932);

// Case-insensitive equality under that mapping, character by character.
bool equalsIgnoreCase(std::string_view a, std::string_view b);

} // namespace kvr::cp932
