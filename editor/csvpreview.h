#pragma once

#include <string>
#include <vector>

#include "editor/csvimport.h"

// What the preview dialog of a CSV or text import shows besides the records themselves.
namespace kvr {

constexpr std::size_t kCsvPreviewRows = 10;

struct CsvPreviewView
{
    std::string caption; // "CSV/テキストから問題集を作成"
    std::string headerBoxText; // "1行目は見出し（取り込まない）"
    std::string answerLabel, questionLabel, hintLabel; // "答え", "問題", "ヒント"
    std::string noColumn; // "（なし）": the question and hint need no column
    std::vector<std::string> columnNames; // "1: word" (the header's text) or "1列目"
    std::string summary; // encoding, separator and the number of questions taken
    std::string leftOut; // the records left out for characters CP932 cannot hold, or empty
    std::size_t firstShownRecord = 0; // 1 when the first record is the header
};

// Texts are CP932; a header cell CP932 cannot hold shows its characters as "?" here only.
CsvPreviewView csvPreviewView(const CsvFile &file, const CsvColumns &columns);

} // namespace kvr
