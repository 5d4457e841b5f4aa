#pragma once

#include <string>
#include <string_view>

#include "db/question.h"
#include "editor/editordialogs.h"

// Choosing a row's voice file ("WAVﾌｧｲﾙ選択...").
namespace kvr {

// The open dialog "音声再生用WAVファイル名を指定してください" with the filter
// "wav file (*.wav)", in the folder wavFolder, proposing the row's WAV file name or, when
// it has none, its answer 1 with "<", ">" and "," made "＜", "＞" and "，".
FileRequest wavDialogRequest(const CQuestion &row, const std::string &wavFolder);

// The file name of a path without its folder ("/" or "\" ends a folder; a "\" that is the
// second byte of a double-byte character does not).
std::string fileNameOf(std::string_view path);

// The tooltip of the button.
std::string wavButtonTooltip();

} // namespace kvr
