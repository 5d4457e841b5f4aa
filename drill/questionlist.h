#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kvr {

class IPrompter;
struct CQuestion;
struct CSection;

// The question list window: a collection's questions and answers as aligned text rows, the
// question in its own column of W characters (bytes) and the answers beside it.

constexpr int kQuestionListMinWidth = 0;
constexpr int kQuestionListMaxWidth = 300;
constexpr int kQuestionListPixelsPerChar = 8;

struct QuestionList
{
    std::vector<std::string> rows; // CP932
    // Horizontal scroll extent: 8 pixels per byte of the widest row, so that no row is cut
    // off (0 for a list of empty rows).
    int extentPixels = 0;
};

// The rows of one question line at width W. A question that does not fit (W - 5 < the
// longer expanded question line) gets its question lines and then every non-empty answer
// indented by W blanks; one that fits pairs question line i with answer i on row i. Question
// lines are shown with their part-of-speech markers expanded, answers as stored. Lines not
// beginning with "?" give no rows.
std::vector<std::string> questionRows(std::string_view line, int width);

// Every line's rows in collection order, each question line followed by one empty row when
// blankRows is set.
QuestionList buildQuestionList(const CSection &section, int width, bool blankRows);

// "&AutoCount": min(L + 5, 300), L the byte length of the longest expanded question line.
int autoCountWidth(const CSection &section);

// The "Opt" number field's text as a width: an integer 0-300, else nothing.
std::optional<int> parseQuestionListWidth(std::string_view text);

// The standard message of a number field whose value is out of range, e.g.
// "1 から 1000 までの整数を入力してください。" (CP932).
std::string integerRangeMessage(int minimum, int maximum);

// The window's caption: name + " - 問題一覧" (CP932).
std::string questionListCaption(std::string_view name);
// The export's proposed file name: name + ".txt"; "問題一覧.txt" when there is no name, so
// the file is not hidden.
std::string questionListFileName(std::string_view name);

// "ファイル出力": every row with a CR LF line end, the file replaced atomically. Any failure,
// a write error included, shows "作成できませんでした" (caption "ErrorDlg") and gives false.
bool exportQuestionList(const std::vector<std::string> &rows, std::string_view path,
                        IPrompter &prompter);
// The same box, for a path that cannot be named in CP932.
void tellQuestionListExportFailed(IPrompter &prompter);

} // namespace kvr
