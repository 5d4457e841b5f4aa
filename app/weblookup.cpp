#include "app/weblookup.h"

#include <algorithm>

#include "platform/cp932.h"
#include "platform/textformat.h"

namespace kvr {

namespace {

constexpr int kSelectorsPerSite = 10;
constexpr int kFirstQuestionSelector = 5;
constexpr int kSummarySelector = 7;
constexpr std::size_t kSummaryBytes = 20;
// A menu item stays at a readable width however long a title or an answer is: about a
// third of a small screen in the menu font.
constexpr std::size_t kMenuTextBytes = 48;
constexpr std::size_t kMenuTitleBytes = 32;

std::string expanded(std::string text)
{
    expandPartOfSpeech(text);
    return text;
}

// What a site is sent: the question line without its part-of-speech codes, which no
// dictionary knows.
std::string stripped(std::string text)
{
    stripPartOfSpeech(text);
    return text;
}

// At most maxBytes bytes followed by "..." when longer, never ending inside a double-byte
// character.
std::string cutText(const std::string &text, std::size_t maxBytes)
{
    if (text.size() <= maxBytes)
        return text;
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t next = end + cp932::charLength(text, end);
        if (next > maxBytes)
            break;
        end = next;
    }
    return text.substr(0, end) + "...";
}

std::string itemText(const std::string &what, const WebDictionary &site)
{
    return formatText("%s [%s]", cutText(what, kMenuTextBytes).c_str(),
                      cutText(site.title, kMenuTitleBytes).c_str());
}

std::string cutSummary(const std::string &summary)
{
    return cutText(summary, kSummaryBytes);
}

void appendSiteItems(std::vector<WebLookupItem> &items, const WebDictionary &site, int k,
                     const CQuestion &question)
{
    const int base = kWebLookupFirstCommand + kSelectorsPerSite * k;
    switch (site.dicType) {
    case 0:
        for (int i = 0; i < question.answerCount(); ++i)
            items.push_back({ itemText(question.answers[i], site), base + i });
        break;
    case 1:
        for (int i = 0; i < question.questionCount(); ++i) {
            items.push_back({ itemText(expanded(question.questionLines[i]), site),
                              base + kFirstQuestionSelector + i });
        }
        break;
    case 2:
        items.push_back(
            { itemText(cutSummary(webLookupSummary(question)), site), base + kSummarySelector });
        break;
    default:
        break;
    }
}

// ASCII only, whatever the process's locale says about other bytes.
bool isAsciiAlpha(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool isAsciiAlnum(unsigned char c)
{
    return isAsciiAlpha(c) || (c >= '0' && c <= '9');
}

bool isUnreserved(unsigned char c)
{
    return isAsciiAlnum(c) || c == '-' || c == '.' || c == '_' || c == '~';
}

// Characters a URL may not hold as they are; reserved ones keep their meaning.
bool needsEscapeInFrame(unsigned char c)
{
    return c <= 0x20 || c >= 0x7F
        || std::string_view("\"<>\\^`{|}").find(static_cast<char>(c)) != std::string_view::npos;
}

template <typename Escape> std::string percentEncode(std::string_view utf8, Escape escape)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(utf8.size() * 3);
    for (const char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        if (!escape(c)) {
            out += ch;
            continue;
        }
        out += '%';
        out += hex[c >> 4];
        out += hex[c & 0x0F];
    }
    return out;
}

// "scheme:" first; with "scheme://" the host must end inside the head.
bool fixesSchemeAndHost(std::string_view head)
{
    if (head.empty() || !isAsciiAlpha(static_cast<unsigned char>(head[0])))
        return false;
    std::size_t pos = 1;
    while (pos < head.size()
           && (isAsciiAlnum(static_cast<unsigned char>(head[pos])) || head[pos] == '+'
               || head[pos] == '-' || head[pos] == '.'))
        ++pos;
    if (pos >= head.size() || head[pos] != ':')
        return false;
    const std::string_view rest = head.substr(pos + 1);
    if (!rest.starts_with("//"))
        return true;
    return rest.find_first_of("/?#", 2) != std::string_view::npos;
}

} // namespace

std::string webLookupMenuTitle()
{
    return cp932::text("Web辞書で検索(&W)");
}

std::string webLookupSummary(const CQuestion &question)
{
    std::string summary;
    for (int i = 0; i < question.questionCount(); ++i)
        summary += expanded(question.questionLines[i]) + ' ';
    for (int i = 0; i < question.answerCount(); ++i)
        summary += question.answers[i] + ' ';
    return summary;
}

std::vector<WebLookupItem> webLookupItems(const std::vector<WebDictionary> &sites,
                                          const CQuestion &question)
{
    std::vector<WebLookupItem> items;
    const int count = std::min(static_cast<int>(sites.size()), kMaxWebDictionaries);
    for (int k = 0; k < count; ++k) {
        if (sites[k].enabled)
            appendSiteItems(items, sites[k], k, question);
    }
    return items;
}

std::optional<WebLookupRequest> webLookupRequest(int command, const CQuestion &question)
{
    if (command < kWebLookupFirstCommand || command > kWebLookupLastCommand)
        return std::nullopt;
    const int site = (command - kWebLookupFirstCommand) / kSelectorsPerSite;
    const int selector = (command - kWebLookupFirstCommand) % kSelectorsPerSite;
    if (selector < kFirstQuestionSelector)
        return WebLookupRequest { site, question.answers[selector] };
    if (selector < kSummarySelector)
        return WebLookupRequest {
            site, stripped(question.questionLines[selector - kFirstQuestionSelector])
        };
    if (selector == kSummarySelector)
        return WebLookupRequest { site, webLookupSummary(question) };
    return std::nullopt;
}

std::optional<std::string> webLookupUrl(const WebDictionary &site, std::string_view text)
{
    const std::string head = percentEncode(cp932::toUtf8(site.urlHead), needsEscapeInFrame);
    if (!fixesSchemeAndHost(head))
        return std::nullopt;
    return head
        + percentEncode(cp932::toUtf8(text), [](unsigned char c) { return !isUnreserved(c); })
        + percentEncode(cp932::toUtf8(site.urlFoot), needsEscapeInFrame);
}

bool lookUp(const std::vector<WebDictionary> &sites, int index, std::string_view text,
            IShell &shell)
{
    if (index < 0 || static_cast<std::size_t>(index) >= sites.size())
        return false;
    const auto url = webLookupUrl(sites[static_cast<std::size_t>(index)], text);
    return url && shell.openAddress(*url);
}

bool runWebLookupCommand(const std::vector<WebDictionary> &sites, int command,
                         const CQuestion &question, IShell &shell)
{
    const auto request = webLookupRequest(command, question);
    return request && lookUp(sites, request->site, request->text, shell);
}

} // namespace kvr
