// The texts the editor refuses to store.
#include "editor/textrules.h"

#include "db/dbcs.h"
#include "platform/cp932.h"

namespace kvr {

std::string unmappableTextMessage()
{
    return cp932::text("入力された文字の中に、保存できない文字（シフトJISにない文字）が含まれて"
                       "います。\nその文字を別の文字に置き換えてください。");
}

std::optional<std::string> storedTextRefusal(std::string_view text, StoredTextKind kind)
{
    const bool lineEnd = text.find_first_of("\r\n") != std::string_view::npos;
    if (kind == StoredTextKind::Name) {
        if (lineEnd)
            return cp932::text("問題集名・フォルダ名に改行を含めることはできません。");
        return std::nullopt;
    }
    if (lineEnd) {
        return cp932::text(
            "著作権者名・データ入力者名・開始メッセージに改行を含めることはできません。");
    }
    if (text.starts_with('.') || dbcs::startsWithIgnoringAsciiCase(text, "note=")) {
        return cp932::text("著作権者名・データ入力者名・開始メッセージを「.」や「note=」で始める"
                           "ことはできません。");
    }
    return std::nullopt;
}

std::string withCrLf(std::string_view text)
{
    std::string result;
    result.reserve(text.size() + 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            result.append("\r\n");
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            result.push_back(c);
        }
    }
    return result;
}

} // namespace kvr
