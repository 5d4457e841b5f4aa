// Skin files: any file loads, and every position and rectangle value is read exactly as the
// C library's sscanf reads "%d, %d" and "%d, %d, %d, %d".
#include <climits>
#include <cstdio>

#include "drill/skin.h"
#include "fuzz/fuzzsupport.h"

using namespace kvr;

namespace {

// sscanf's result for a value with no integer beyond the range of int (where sscanf itself
// is undefined) and no NUL byte (where it would stop).
bool comparable(std::string_view text)
{
    if (text.find('\0') != std::string_view::npos)
        return false;
    int digits = 0;
    for (char c : text) {
        digits = (c >= '0' && c <= '9') ? (digits > 0 || c != '0' ? digits + 1 : 0) : 0;
        if (digits > 9)
            return false;
    }
    return true;
}

void compareWithScanf(std::string_view value)
{
    if (value.size() > 1023 || !comparable(value))
        return;
    const std::string text(value);
    int v[4];
    SkinRect rect { -7, -7, -7, -7 };
    const bool rectRead = parseSkinRect(text, rect);
    KVR_FUZZ_CHECK(
        rectRead == (std::sscanf(text.c_str(), "%d, %d, %d, %d", &v[0], &v[1], &v[2], &v[3]) == 4));
    if (rectRead)
        KVR_FUZZ_CHECK(rect == (SkinRect { v[0], v[1], v[0] + v[2], v[1] + v[3] }));
    else
        KVR_FUZZ_CHECK(rect == (SkinRect { -7, -7, -7, -7 }));
    SkinPoint point { -7, -7 };
    const bool pointRead = parseSkinPoint(text, point);
    KVR_FUZZ_CHECK(pointRead == (std::sscanf(text.c_str(), "%d, %d", &v[0], &v[1]) == 2));
    if (pointRead)
        KVR_FUZZ_CHECK(point == (SkinPoint { v[0], v[1] }));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text = fuzz::asText(data, size);
    const std::string path = fuzz::scratchFile("skin.ini");
    fuzz::putFile(path, text);
    CSkin skin;
    KVR_FUZZ_CHECK(skin.loadSkin(path, fuzz::scratch().path()));
    // The file's name relative to the program folder finds it too.
    CSkin relative;
    KVR_FUZZ_CHECK(relative.loadSkin("skin.ini", fuzz::scratch().path()));
    KVR_FUZZ_CHECK(relative == skin);

    for (std::string_view line : fuzz::splitAt(text, "\n")) {
        const std::size_t equals = line.find('=');
        if (equals != std::string_view::npos)
            compareWithScanf(line.substr(equals + 1));
    }
    return 0;
}
