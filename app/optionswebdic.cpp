#include "app/optionswebdic.h"

#include <utility>

#include "platform/cp932.h"
#include "platform/prompter.h"
#include "platform/textformat.h"

namespace kvr {

namespace {

bool hasSelection(const WebDictionaryPage &page)
{
    return page.selected >= 0 && page.selected < int(page.rows.size());
}

} // namespace

std::string webDictionaryTypeText(int dicType)
{
    switch (dicType) {
    case 0:
        return cp932::text("英和辞書");
    case 1:
        return cp932::text("和英辞書");
    case 2:
        return cp932::text("Web検索");
    }
    return {};
}

void selectWebDictionary(WebDictionaryPage &page, int row)
{
    if (row < 0 || row >= int(page.rows.size())) {
        page.selected = -1;
        return;
    }
    page.selected = row;
    page.fields = page.rows[row];
}

bool addWebDictionary(WebDictionaryPage &page, IPrompter &prompter)
{
    if (int(page.rows.size()) >= kMaxWebDictionaries) {
        Message message;
        message.text =
            formatText(cp932::text("登録できるのは %d 個までです。"), kMaxWebDictionaries);
        message.icon = Icon::Warning;
        prompter.ask(message);
        return false;
    }
    WebDictionary row = page.fields;
    row.enabled = true;
    page.rows.push_back(std::move(row));
    page.selected = int(page.rows.size()) - 1;
    return true;
}

bool changeWebDictionary(WebDictionaryPage &page)
{
    if (!hasSelection(page))
        return false;
    WebDictionary &row = page.rows[page.selected];
    const bool enabled = row.enabled;
    row = page.fields;
    row.enabled = enabled;
    return true;
}

bool removeWebDictionary(WebDictionaryPage &page)
{
    if (!hasSelection(page))
        return false;
    page.rows.erase(page.rows.begin() + page.selected);
    page.selected = -1;
    return true;
}

bool moveWebDictionary(WebDictionaryPage &page, int step)
{
    if (!hasSelection(page))
        return false;
    const int target = page.selected + step;
    if (target < 0 || target >= int(page.rows.size()))
        return false;
    std::swap(page.rows[page.selected], page.rows[target]);
    page.selected = target;
    return true;
}

} // namespace kvr
