#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "db/questiondatabase.h"

// Helpers of the tree tests.
namespace kvr::test {

// A tree written as an outline: entries separated by ",", a folder as name[entries], a
// collection as its bare name (ASCII names only), e.g. "A[X,B[Y]],X".
CFolder treeOf(std::string_view outline);
std::string outlineOf(const CFolder &folder);

// 英語/単語 with a full header and two lines, beside a folder F holding G holding H.
CQuestionDatabase exportSampleDatabase();

// Runs body in a child process whose files cannot grow past maxFileBytes (so every larger
// write fails) and returns what body returned there.
bool inChildWithFileLimit(std::size_t maxFileBytes, const std::function<bool()> &body);

} // namespace kvr::test
