#pragma once

#include <array>
#include <string>
#include <string_view>

namespace kvr {

// One decoded question line. All texts are CP932 and may hold CR LF after decoding.
struct CQuestion
{
    std::array<std::string, 2> questionLines;
    std::array<std::string, 5> answers;
    std::array<std::string, 3> hints;
    std::string wavFile;
    std::string extData;

    // Checked accessors; a bad index raises KvrError("out of index (at getQuestion)") etc.
    const std::string &getQuestion(int index) const;
    const std::string &getAnswer(int index) const;
    const std::string &getHint(int index) const;

    int questionCount() const; // non-empty question lines
    int answerCount() const; // non-empty answers
    int hintCount() const; // non-empty hints

    void clear();
    bool operator==(const CQuestion &) const = default;
};

// Decodes a "?" line; false (and an empty record, or the fields decoded before a fault)
// for any other line or a syntax fault.
bool parseQuestionLine(CQuestion &question, std::string_view line);
// Encodes a question into the empty, plain or full line form.
std::string formatQuestionLine(const CQuestion &question);

// The CP932-aware replace-all: a match never starts on the second byte of a double-byte
// character and replaced text is not scanned again. Returns the number of replacements.
int replaceAllDbcs(std::string &text, std::string_view from, std::string_view to);

// Part-of-speech markers ("%no" …): expand to their labels, or strip them. True when at
// least one marker was replaced.
bool expandPartOfSpeech(std::string &text);
bool stripPartOfSpeech(std::string &text);

} // namespace kvr
