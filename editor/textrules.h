#pragma once

#include <optional>
#include <string>
#include <string_view>

// What the editor refuses to store: text CP932 cannot hold, and names or header texts that
// would change the meaning of the database file's lines.
namespace kvr {

// "入力された文字の中に、保存できない文字が含まれています。…": the refusal of a text that
// holds a character CP932 cannot hold.
std::string unmappableTextMessage();

enum class StoredTextKind {
    Name, // a folder's or collection's name: one line
    HeaderField, // copyright holder, inputter, start message: one line, not read as a tag
};

// The message refusing text as that kind, or nothing when the file keeps it as it is. A
// line end (CR or LF) is refused in both; a header field may not begin with "." or
// "note=" in any letter case, since the reader would take it for the header's end or a
// note.
std::optional<std::string> storedTextRefusal(std::string_view text, StoredTextKind kind);

// Every line end made CR LF: a lone CR or LF (as a text widget gives them) becomes CR LF.
std::string withCrLf(std::string_view text);

} // namespace kvr
