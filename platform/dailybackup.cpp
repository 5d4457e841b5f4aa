#include "platform/dailybackup.h"

#include <algorithm>
#include <ctime>
#include <filesystem>

#include "platform/clock.h"
#include "platform/cp932.h"
#include "platform/environment.h"
#include "platform/prompter.h"
#include "platform/textfile.h"
#include "platform/textformat.h"

namespace kvr {

namespace {

constexpr std::size_t kDateLength = 8;
constexpr std::size_t kMomentLength = 15; // YYYYMMDD-HHMMSS

// "DBv3.kvr" → {"DBv3", ".kvr"}; a name without a dot has no extension.
std::pair<std::string, std::string> splitName(std::string_view dataPath)
{
    // '/' and '.' are never trail bytes of CP932, so the path splits as bytes.
    const std::size_t slash = dataPath.rfind('/');
    const std::string cp932Name(slash == std::string_view::npos ? dataPath
                                                                : dataPath.substr(slash + 1));
    const std::size_t dot = cp932Name.rfind('.');
    if (dot == std::string::npos || dot == 0)
        return { cp932Name, {} };
    return { cp932Name.substr(0, dot), cp932Name.substr(dot) };
}

bool isDigits(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool isStamp(std::string_view text)
{
    if (text.size() == kDateLength)
        return isDigits(text);
    return text.size() == kMomentLength && text[kDateLength] == '-'
        && isDigits(text.substr(0, kDateLength)) && isDigits(text.substr(kDateLength + 1));
}

std::string formatLocal(std::int64_t time, const char *format)
{
    const std::time_t seconds = static_cast<std::time_t>(time);
    std::tm local {};
    if (!localtime_r(&seconds, &local))
        return "00000000";
    char text[32];
    std::strftime(text, sizeof text, format, &local);
    return text;
}

void removeOldBackups(std::string_view dataPath)
{
    const std::vector<BackupFile> backups = listBackups(dataPath);
    for (std::size_t i = kKeptBackups; i < backups.size(); ++i) {
        std::error_code ignored; // one left over is tried again at the next backup
        std::filesystem::remove(nativePath(backups[i].path), ignored);
    }
}

} // namespace

std::string backupFolderOf(std::string_view dataPath)
{
    return env::joinPath(env::parentFolder(dataPath), "backup");
}

std::string backupPathOf(std::string_view dataPath, std::string_view stamp)
{
    const auto [stem, extension] = splitName(dataPath);
    return env::joinPath(backupFolderOf(dataPath), stem + "-" + std::string(stamp) + extension);
}

std::string backupDateOf(std::int64_t time)
{
    return formatLocal(time, "%Y%m%d");
}

std::string backupMomentOf(std::int64_t time)
{
    return formatLocal(time, "%Y%m%d-%H%M%S");
}

std::vector<BackupFile> listBackups(std::string_view dataPath)
{
    std::vector<BackupFile> backups;
    const auto [stem, extension] = splitName(dataPath);
    const std::string prefix = stem + "-";
    std::error_code error;
    std::filesystem::directory_iterator entries(nativePath(backupFolderOf(dataPath)), error);
    if (error)
        return backups;
    for (const auto &entry : entries) {
        if (!entry.is_regular_file(error))
            continue;
        const std::string name = cp932::fromUtf8(entry.path().filename().string()).bytes;
        if (name.size() < prefix.size() + extension.size() || !name.starts_with(prefix)
            || !name.ends_with(extension))
            continue;
        const std::string stamp =
            name.substr(prefix.size(), name.size() - prefix.size() - extension.size());
        if (!isStamp(stamp))
            continue;
        const std::uintmax_t size = entry.file_size(error);
        backups.push_back({ env::joinPath(backupFolderOf(dataPath), name), stamp,
                            error ? 0 : static_cast<std::uint64_t>(size) });
    }
    // A day's backup counts as older than the copies kept on that day.
    std::sort(backups.begin(), backups.end(),
              [](const BackupFile &a, const BackupFile &b) { return a.stamp > b.stamp; });
    return backups;
}

bool writeBackup(std::string_view dataPath, std::string_view stamp)
{
    const std::optional<std::string> content = readWholeFile(dataPath);
    if (!content || !env::makeFolders(backupFolderOf(dataPath))
        || !replaceFileAtomically(backupPathOf(dataPath, stamp), *content))
        return false;
    removeOldBackups(dataPath);
    return true;
}

std::string backupFailedText(std::string_view dataPath)
{
    return formatText(cp932::text("%s のバックアップを %s に作成できませんでした。\n"
                                  "保存はそのまま続けます。"),
                      std::string(dataPath).c_str(), backupFolderOf(dataPath).c_str());
}

void CDailyBackup::beforeSave(std::string_view dataPath) const
{
    // Nothing to keep before the first save of a new file.
    if (!fileExists(dataPath))
        return;
    const std::string date = backupDateOf(m_clock.now());
    if (fileExists(backupPathOf(dataPath, date)))
        return;
    if (!writeBackup(dataPath, date)) {
        Message message;
        message.text = backupFailedText(dataPath);
        message.icon = Icon::Warning;
        m_prompter.ask(message);
    }
}

} // namespace kvr
