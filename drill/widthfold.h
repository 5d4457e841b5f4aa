#pragma once

#include <string>
#include <string_view>

namespace kvr {

// A typed answer with its full-width ASCII characters as the half-width ones they stand for:
// the ideographic space, full-width digits, letters and the punctuation of 0x21-0x7E, and
// the curly quotes and apostrophes as straight ones. A learner who left the input method on
// types these without noticing. Every other character, kana and kanji included, stays.
std::string foldFullWidth(std::string_view cp932);

} // namespace kvr
