#pragma once

#include <string>

#include "app/options.h"

namespace kvr {

class IPrompter;

// The web-dictionary page of the options sheet: a list of at most kMaxWebDictionaries rows
// and the fields below it. Commands act on the selected row; none of them touches the
// program's list, which the sheet replaces on "&OK" only.

// "英和辞書", "和英辞書", "Web検索" (CP932), the type combo's entries; index = dicType.
std::string webDictionaryTypeText(int dicType);

// Selecting a row copies it into the fields; -1 clears the selection only.
void selectWebDictionary(WebDictionaryPage &page, int row);
// "追加": appends the fields as a new, enabled row and selects it; with the list full,
// "登録できるのは %d 個までです。" and nothing is added.
bool addWebDictionary(WebDictionaryPage &page, IPrompter &prompter);
// "変更": overwrites the selected row from the fields, keeping its check.
bool changeWebDictionary(WebDictionaryPage &page);
// "削除": removes the selected row; nothing stays selected.
bool removeWebDictionary(WebDictionaryPage &page);
// "↑" / "↓": moves the selected row one place, keeping its check and the selection.
bool moveWebDictionary(WebDictionaryPage &page, int step);

} // namespace kvr
