#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "db/question.h"

// One question as the editor's edit fields and part-of-speech buttons show it, and the
// rules that write the fields back.
namespace kvr {

// The eight buttons, in their order on the window.
enum class PartOfSpeech { Noun, Verb, Adjective, Adverb, Pronoun, Idiom, Preposition, Other };
constexpr int kPartOfSpeechCount = 8;

// "名詞", "動詞", "形容詞", "副詞", "代名詞", "熟語", "前置詞", "その他" (CP932).
std::string partOfSpeechLabel(PartOfSpeech part);
// "%no", "%ve", "%aj", "%av", "%pn", "%id", "%pp", "%ot".
std::string_view partOfSpeechTag(PartOfSpeech part);
// Shift+F1 … Shift+F8 (functionKey 1-8): 名詞, 動詞, 形容詞, 副詞, 前置詞, 熟語, 代名詞,
// その他; nothing for another number.
std::optional<PartOfSpeech> partOfSpeechOfShiftKey(int functionKey);

// The tag of a question line 1: "%" and two ASCII letters at its very start; else empty.
std::string_view questionTag(std::string_view line1);
// The button a question line 1 marks: its tag's two letters in upper case against the
// buttons' ("NO", "VE", …); nothing for no tag or another one.
std::optional<PartOfSpeech> markedPartOfSpeech(std::string_view line1);
// The tag after pressing a button: none when the button is the marked one, else its tag.
std::string tagAfterPressing(std::string_view line1, PartOfSpeech part);

// The edit fields' texts (CP932, lines joined with CR LF).
struct EditFields
{
    std::string answer; // answer (answer number)
    std::string question; // line 1 without its tag, then CR LF and line 2 when there is one
    std::string hint; // the hints joined with CR LF, up to the last non-empty one

    bool operator==(const EditFields &) const = default;
};
void PrintTo(const EditFields &fields, std::ostream *os);

constexpr int kAnswerNumberCount = 5;

// The fields for a question and an answer number 1-5.
EditFields editFieldsOf(const CQuestion &question, int answerNumber);

// Writes the fields into the question: line 1 := tag + the question field up to its first
// line end, line 2 := the rest; hints := the hint field split at its first two line ends;
// answer (answerNumber) := the answer field. Lone CR or LF count as line ends. Then, when
// the question holds more than a bare answer 1 (a question line, a hint, a WAV file, more
// than one answer, or an answer number other than 1), every answer beginning with "# " loses
// those two characters.
void writeFieldsBack(CQuestion &question, const EditFields &fields, int answerNumber,
                     std::string_view tag);

// True when all twelve texts are empty.
bool isEmptyQuestion(const CQuestion &question);

// A collection line as the editor shows it: a "?" line decoded as far as it goes, any other
// line as answer 1 alone.
CQuestion decodeEditorLine(std::string_view line);

} // namespace kvr
