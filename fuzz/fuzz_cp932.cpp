// The CP932 codec: decoding never fails and gives valid UTF-8, a representable text comes
// back through an encode and decode unchanged, and the case helpers agree with each other.
#include "fuzz/fuzzsupport.h"
#include "platform/cp932.h"

using namespace kvr;

namespace {

bool validUtf8(std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto b = static_cast<unsigned char>(text[pos]);
        int extra = b < 0x80     ? 0
            : (b & 0xE0) == 0xC0 ? 1
            : (b & 0xF0) == 0xE0 ? 2
            : (b & 0xF8) == 0xF0 ? 3
                                 : -1;
        if (extra < 0 || pos + extra >= text.size())
            return false;
        char32_t c = extra == 0 ? b : b & (0x3F >> extra);
        for (int i = 1; i <= extra; ++i) {
            const auto t = static_cast<unsigned char>(text[pos + i]);
            if ((t & 0xC0) != 0x80)
                return false;
            c = (c << 6) | (t & 0x3F);
        }
        static constexpr char32_t minimum[] = { 0, 0x80, 0x800, 0x10000 };
        if (c < minimum[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            return false;
        pos += extra + 1;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes = fuzz::asText(data, size);

    // As CP932.
    std::size_t walked = 0;
    std::size_t characters = 0;
    while (walked < bytes.size()) {
        walked += cp932::charLength(bytes, walked);
        ++characters;
    }
    KVR_FUZZ_CHECK(walked == bytes.size());
    KVR_FUZZ_CHECK(cp932::charCount(bytes) == characters);
    const std::string utf8 = cp932::toUtf8(bytes);
    KVR_FUZZ_CHECK(validUtf8(utf8));
    const cp932::Encoded back = cp932::fromUtf8(utf8);
    if (back.ok())
        KVR_FUZZ_CHECK(cp932::toUtf8(back.bytes) == utf8);

    // As UTF-8.
    const cp932::Encoded encoded = cp932::fromUtf8(bytes);
    KVR_FUZZ_CHECK(encoded.ok() == encoded.unmappable.empty());
    if (validUtf8(bytes) && encoded.ok()) {
        const cp932::Encoded twice = cp932::fromUtf8(cp932::toUtf8(encoded.bytes));
        KVR_FUZZ_CHECK(twice.ok());
        KVR_FUZZ_CHECK(twice.bytes == encoded.bytes);
    }
    if (!validUtf8(bytes))
        KVR_FUZZ_CHECK(!encoded.ok());

    // Case.
    const std::string upper = cp932::toUpper(bytes);
    KVR_FUZZ_CHECK(upper.size() == bytes.size());
    KVR_FUZZ_CHECK(cp932::toUpper(upper) == upper);
    KVR_FUZZ_CHECK(cp932::equalsIgnoreCase(bytes, upper));
    const std::string_view left = bytes.substr(0, bytes.size() / 2);
    const std::string_view right = bytes.substr(bytes.size() / 2);
    KVR_FUZZ_CHECK(cp932::equalsIgnoreCase(left, right) == cp932::equalsIgnoreCase(right, left));
    return 0;
}
