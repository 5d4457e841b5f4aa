#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/webdictionary.h"
#include "db/question.h"
#include "platform/shell.h"

// Looking a question up in a web dictionary from the per-question page's popup: the items
// of its submenu "Web辞書で検索(&W)", the text each item looks up, and opening the site.
// Texts are CP932.
namespace kvr {

// Item k*10 + s of the submenu has the command number kWebLookupFirstCommand + 10k + s:
// site k of the list, selector s (0-4 answer s+1, 5-6 question line s-4, 7 the whole
// question).
constexpr int kWebLookupFirstCommand = 201;
constexpr int kWebLookupLastCommand = 300;

// The submenu's title, "Web辞書で検索(&W)".
std::string webLookupMenuTitle();

struct WebLookupItem
{
    std::string text; // "%s [%s]": what is looked up and the site's title
    int command = 0;
    bool operator==(const WebLookupItem &) const = default;
};

// The submenu for a question (the first selected row's), in list order over the enabled
// sites: an "ej" site gives one item per non-empty answer (commands 201 + 10k + i), a "je"
// site one per non-empty question line with part-of-speech markers expanded (206 + 10k +
// i), a "find" site one item with the summary cut to 20 bytes and "..." (208 + 10k).
// Disabled sites give nothing. A looked-up text longer than 48 bytes and a title longer
// than 32 are cut (between characters) with "..." so the menu keeps a readable width; the
// look-up itself uses the whole text.
std::vector<WebLookupItem> webLookupItems(const std::vector<WebDictionary> &sites,
                                          const CQuestion &question);

// The whole question for a "find" site: the non-empty question lines (markers expanded)
// and then the non-empty answers, each followed by a blank.
std::string webLookupSummary(const CQuestion &question);

// What a look-up command asks: the site index and the text (answers as stored, question
// lines with their part-of-speech codes stripped); nothing for selectors 8 and 9 and for
// numbers outside 201-300.
struct WebLookupRequest
{
    int site = 0;
    std::string text;
    bool operator==(const WebLookupRequest &) const = default;
};
std::optional<WebLookupRequest> webLookupRequest(int command, const CQuestion &question);

// The site's URL for a CP932 text: urlHead + the text + urlFoot, the text as UTF-8 with
// every byte but letters, digits and "-._~" percent-encoded, so that no text can leave the
// part of the URL the head puts it in. Head and foot keep their characters; non-ASCII
// bytes (as UTF-8), blanks and control characters in them are percent-encoded. Nothing when
// the head does not fix the scheme and, for a "scheme://" URL, the whole host (a "/", "?"
// or "#" must follow the host within the head).
std::optional<std::string> webLookupUrl(const WebDictionary &site, std::string_view text);

// Opens site index's URL for text; false for an index outside the list, a head that does
// not fix scheme and host, or when the shell refuses.
bool lookUp(const std::vector<WebDictionary> &sites, int index, std::string_view text,
            IShell &shell);

// A look-up command of the submenu on the question: webLookupRequest, then lookUp.
bool runWebLookupCommand(const std::vector<WebDictionary> &sites, int command,
                         const CQuestion &question, IShell &shell);

} // namespace kvr
