#include "app/commandline.h"

#include <climits>
#include <string_view>

#include "platform/cp932.h"

namespace kvr {

namespace {

constexpr std::string_view kAutorun = "/autorun";

char asciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Option names are plain ASCII, so folding single bytes cannot make a double-byte
// character match.
bool equalsOption(std::string_view text, std::string_view option)
{
    if (text.size() != option.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (asciiLower(text[i]) != option[i])
            return false;
    }
    return true;
}

int leadingNumber(std::string_view text)
{
    long long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            break;
        value = value * 10 + (c - '0');
        if (value > INT_MAX)
            return INT_MAX;
    }
    return static_cast<int>(value);
}

// The "/autorun" argument: sets autorun and the count. Returns whether arg decided the scan.
bool readAutorun(std::string_view arg, CCommandLine &line)
{
    if (arg.size() < kAutorun.size() || !equalsOption(arg.substr(0, kAutorun.size()), kAutorun))
        return false;
    if (arg.size() == kAutorun.size()) {
        line.autorun = true;
        return true;
    }
    const char ninth = arg[kAutorun.size()];
    if (ninth == ' ' || ninth == '=')
        line.autorun = true;
    if (ninth == '=')
        line.questionCount = leadingNumber(arg.substr(kAutorun.size() + 1));
    return true;
}

void readAutorunOptions(const std::vector<std::string> &args, CCommandLine &line)
{
    for (const std::string &arg : args) {
        if (equalsOption(arg, "/speedreply"))
            line.speedReply = true;
        else if (equalsOption(arg, "/worst"))
            line.worstFirst = true;
        else if (equalsOption(arg, "/s"))
            line.sSeen = true;
    }
    for (const std::string &arg : args) {
        // An empty argument names no collection.
        if (!arg.empty() && arg.front() != '/' && arg.front() != '-') {
            line.sectionPath = arg;
            break;
        }
    }
}

} // namespace

CCommandLine parseCommandLine(const std::vector<std::string> &args)
{
    CCommandLine line;
    for (const std::string &arg : args) {
        if (readAutorun(arg, line))
            break;
    }
    if (!line.autorun)
        return line;
    readAutorunOptions(args, line);
    if (line.questionCount == 0)
        line.questionCount = kDefaultAutorunCount;
    return line;
}

StartupAction decideStartup(const std::vector<std::string> &args)
{
    if (args.empty())
        return StartupAction::MainWindow;
    const CCommandLine line = parseCommandLine(args);
    if (line.autorun && line.sectionPath.empty())
        return StartupAction::MessageAutorunWithoutSection;
    if (line.sSeen)
        return StartupAction::AutorunDrill;
    return StartupAction::MessageBadOptions;
}

Message autorunWithoutSectionMessage()
{
    Message message;
    message.text = cp932::text("Autorun オプションがあるのに、セクションの指定がありません");
    message.caption = "Error";
    message.icon = Icon::Error;
    return message;
}

Message badOptionsMessage()
{
    return errorBox(cp932::text("起動オプションが正しくありません。"));
}

} // namespace kvr
