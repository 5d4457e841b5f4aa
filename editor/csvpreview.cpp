// The preview dialog's texts for a CSV or text import.
#include "editor/csvpreview.h"

#include "platform/cp932.h"
#include "platform/textformat.h"

namespace kvr {

namespace {

const char *encodingName(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8:
        return "UTF-8";
    case TextEncoding::Utf8Bom:
        return "UTF-8（BOM付き）";
    case TextEncoding::Utf16Le:
        return "UTF-16LE";
    case TextEncoding::Utf16Be:
        return "UTF-16BE";
    case TextEncoding::Cp932:
        break;
    }
    return "シフトJIS（CP932）";
}

const char *separatorName(char separator)
{
    return separator == ',' ? "カンマ" : separator == ';' ? "セミコロン" : "タブ";
}

} // namespace

CsvPreviewView csvPreviewView(const CsvFile &file, const CsvColumns &columns)
{
    CsvPreviewView view;
    view.caption = cp932::text("CSV/テキストから問題集を作成");
    view.headerBoxText = cp932::text("1行目は見出し（取り込まない）");
    view.answerLabel = cp932::text("答え");
    view.questionLabel = cp932::text("問題");
    view.hintLabel = cp932::text("ヒント");
    view.noColumn = cp932::text("（なし）");
    const CsvRecord *header =
        columns.headerRow && !file.records.empty() ? &file.records.front() : nullptr;
    for (std::size_t i = 0; i < file.columnCount; ++i) {
        const unsigned number = static_cast<unsigned>(i + 1);
        if (header && i < header->fields.size() && !header->fields[i].empty())
            view.columnNames.push_back(formatText("%u: ", number)
                                       + cp932::fromUtf8(header->fields[i]).bytes);
        else
            view.columnNames.push_back(formatText(cp932::text("%u列目"), number));
    }
    const CsvConversion converted = convertCsv(file, columns);
    view.summary = formatText(cp932::text("文字コード: %s　区切り: %s　取り込む問題: %u"),
                              cp932::text(encodingName(file.encoding)).c_str(),
                              cp932::text(separatorName(file.separator)).c_str(),
                              static_cast<unsigned>(converted.lines.size()));
    if (!converted.unmappable.empty())
        view.leftOut = cp932::text("次の行はCP932で表せない文字を含むため、取り込みません。\n")
            + unmappableListing(converted.unmappable);
    view.firstShownRecord = header ? 1 : 0;
    return view;
}

} // namespace kvr
