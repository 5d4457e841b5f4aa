// The voice-file dialog of the grid.
#include "editor/wavchoice.h"

#include "db/exportfile.h"
#include "platform/cp932.h"

namespace kvr {

FileRequest wavDialogRequest(const CQuestion &row, const std::string &wavFolder)
{
    FileRequest request;
    request.title = cp932::text("音声再生用WAVファイル名を指定してください");
    request.filters = { { "wav file (*.wav)", "*.wav" } };
    request.startFolder = wavFolder;
    request.proposedName =
        row.wavFile.empty() ? proposedExportFileName(row.answers[0]) : row.wavFile;
    return request;
}

std::string fileNameOf(std::string_view path)
{
    std::size_t start = 0;
    for (std::size_t pos = 0; pos < path.size(); pos += cp932::charLength(path, pos)) {
        if (path[pos] == '/' || path[pos] == '\\')
            start = pos + 1;
    }
    return std::string(path.substr(start));
}

std::string wavButtonTooltip()
{
    return cp932::text("音声再生用のWAVファイルを指定します\n"
                       "（自分で用意した音声ファイルを再生したい場合に設定してください）");
}

} // namespace kvr
