#include "app/kvrsettings.h"

#include <algorithm>
#include <initializer_list>
#include <variant>
#include <vector>

#include "app/settingranges.h"
#include "platform/environment.h"
#include "platform/settingsstore.h"

namespace kvr {

namespace {

using S = CKvrSettings;
using Field = std::variant<std::string S::*, int S::*, bool S::*>;

constexpr int kMissingNumber = -5;
constexpr std::string_view kEmpty = "";
constexpr std::string_view kNoEntry = "no entry";
constexpr std::string_view kOptions = "Options";

// What a text row's default path starts from.
enum class Base { None, Program, Install, Data };

struct Row
{
    std::string_view subkey;
    std::string_view name;
    Field field;
    int number = 0; // default of an integer or boolean row
    std::string_view marker; // text rows: the stored text that counts as missing
    Base base = Base::None; // text rows: the default is base [+ folder] + file
    std::string_view folder, file;
};

Row number(std::string_view name, int S::*field, int value)
{
    return Row { kOptions, name, field, value, {}, Base::None, {}, {} };
}
Row flag(std::string_view name, bool S::*field, bool value)
{
    return Row { kOptions, name, field, value ? 1 : 0, {}, Base::None, {}, {} };
}
Row text(std::string_view subkey, std::string_view name, std::string S::*field,
         std::string_view marker, Base base = Base::None, std::string_view folder = {},
         std::string_view file = {})
{
    return Row { subkey, name, field, 0, marker, base, folder, file };
}

// Every stored value, in load order.
const Row kRows[] = {
    text(kOptions, "InstallPath", &S::InstallPath, kEmpty, Base::Program),
    text("Cmpdatabasefile", "filename", &S::CmpFilename, kEmpty, Base::Data, {}, "Complete.kvr"),
    text("DBv3", "filename", &S::DatabaseFilename, kEmpty, Base::Data, {}, "DBv3.kvr"),
    text(kOptions, "SkinPath", &S::SkinPath, kEmpty, Base::Install, kSkinFolderName, "default.ini"),
    text(kOptions, "LogPath", &S::LogPath, kEmpty, Base::Install, kDataFolderName, "translog.txt"),
    text(kOptions, "WebdiciniPath", &S::WebdiciniPath, kEmpty, Base::Install, kDataFolderName,
         "webdic.ini"),
    text(kOptions, "UserName", &S::UserName, kEmpty),
    text(kOptions, "LastSection", &S::LastSection, kEmpty),
    flag("ShowCorrectNumbersDlg", &S::ShowCorrectNumbersDlg, false),
    flag("ShowConfirmOrderDlg", &S::ShowConfirmOrderDlg, true),
    flag("IgnoreCase", &S::IgnoreCase, true),
    flag("IsSequencial", &S::IsSequencial, false),
    number("nDefaultQuestions", &S::nDefaultQuestions, 20),
    flag("IsRandomMistakeReply", &S::IsRandomMistakeReply, false),
    number("CorrectWaitTime", &S::CorrectWaitTime, 600),
    number("IncorrectWaitTime", &S::IncorrectWaitTime, 600),
    text(kOptions, "CorrectSoundfile", &S::CorrectSoundfile, kNoEntry, Base::Data, {},
         "Correct.wav"),
    text(kOptions, "IncorrectSoundfile", &S::IncorrectSoundfile, kNoEntry, Base::Data, {},
         "Incorrect.wav"),
    number("ReplyStartLimitJe", &S::ReplyStartLimitJe, 3000),
    flag("UseReplyStartLimitJe", &S::UseReplyStartLimitJe, true),
    number("ReplyLimitEJ", &S::ReplyLimitEJ, 10000),
    flag("UseReplyLimitEJ", &S::UseReplyLimitEJ, true),
    number("ShowLimitEJ4", &S::ShowLimitEJ4, 1000),
    flag("UseShowLimitEJ4", &S::UseShowLimitEJ4, true),
    number("ReplyLimitEJ4", &S::ReplyLimitEJ4, 10000),
    flag("UseReplyLimitEJ4", &S::UseReplyLimitEJ4, true),
    number("ShowLimitJE4", &S::ShowLimitJE4, 1000),
    flag("UseShowLimitJE4", &S::UseShowLimitJE4, true),
    number("ReplyLimitJE4", &S::ReplyLimitJE4, 10000),
    flag("UseReplyLimitJE4", &S::UseReplyLimitJE4, true),
    flag("AlwaysShowHint", &S::AlwaysShowHint, false),
    number("MultiJudge", &S::MultiJudge, 0),
    number("MultiJudgeOverN", &S::MultiJudgeOverN, 1),
    number("CorrectrateMode", &S::CorrectrateMode, 2),
    flag("UseVoice", &S::UseVoice, true),
    flag("UseJEVoice", &S::UseJEVoice, true),
    flag("UseJEVoice2", &S::UseJEVoice2, true),
    flag("UseEJ4Voice", &S::UseEJ4Voice, true),
    number("VoiceRate", &S::VoiceRate, 0),
    number("VoiceVolume", &S::VoiceVolume, 100),
    number("VoiceFormat", &S::VoiceFormat, 27),
    flag("UseWavvoice", &S::UseWavvoice, false),
    text(kOptions, "Wavefiledir", &S::Wavefiledir, kNoEntry, Base::Data, {}, "wavvoice"),
    number("BackgroundColor", &S::BackgroundColor, 16765088), // red 160, green 208, blue 255
    number("Opacity", &S::Opacity, 80),
    number("KvrWindowWidth", &S::KvrWindowWidth, 600),
    number("KvrWindowHeight", &S::KvrWindowHeight, 450),
    number("TreeLogPeriod", &S::TreeLogPeriod, 370),
    number("LogMode", &S::LogMode, 0),
    flag("CorrectHeadNAnswerJE", &S::CorrectHeadNAnswerJE, true),
    number("nCorrectHeadNAnswerJE", &S::nCorrectHeadNAnswerJE, 1),
    // Added after the original values, which keep their names, order and meaning.
    flag("FoldFullWidth", &S::FoldFullWidth, true),
};

const std::initializer_list<std::string_view> kLastSectionOnly = { "LastSection" };
const std::initializer_list<std::string_view> kWindowState = { "KvrWindowWidth", "KvrWindowHeight",
                                                               "TreeLogPeriod", "CorrectrateMode",
                                                               "LogMode" };

enum class Direction { Load, Save };

// One walk over the table, loading or saving; collects the writes for one store call.
class CTransfer
{
public:
    CTransfer(S &settings, Direction direction, const CSettingsValues *stored,
              const DataLocations *locations)
        : m_settings(settings)
        , m_direction(direction)
        , m_stored(stored)
        , m_locations(locations)
    {
    }

    void run(std::initializer_list<std::string_view> only)
    {
        if (m_direction == Direction::Save)
            repairRanges();
        for (const Row &row : kRows) {
            if (only.size() == 0 || std::find(only.begin(), only.end(), row.name) != only.end())
                std::visit([&](auto member) { transfer(row, m_settings.*member); }, row.field);
        }
        if (m_direction == Direction::Load) {
            repairRanges();
            clampToRanges(m_settings);
        }
        m_settings.ShowCorrectNumbersDlg = true;
    }

    const std::vector<SettingChange> &writes() const { return m_writes; }

private:
    void transfer(const Row &row, int &value)
    {
        if (m_direction == Direction::Save)
            return write(row, value);
        value = m_stored->readInt(row.subkey, row.name).value_or(kMissingNumber);
        if (value == kMissingNumber) {
            value = row.number;
            write(row, value);
        }
    }

    void transfer(const Row &row, bool &value)
    {
        int number = value ? 1 : 0;
        transfer(row, number);
        value = number != 0;
    }

    void transfer(const Row &row, std::string &value)
    {
        if (m_direction == Direction::Save)
            return write(row, value);
        const std::optional<std::string> stored = m_stored->readString(row.subkey, row.name);
        value = stored.value_or(std::string(row.marker));
        if (value == row.marker) {
            value = defaultText(row);
            if (stored != value) // an empty text whose default is empty needs no write
                write(row, value);
        }
    }

    std::string defaultText(const Row &row) const
    {
        std::string path;
        switch (row.base) {
        case Base::None:
            return std::string();
        case Base::Program:
            return defaultInstallPath(*m_locations);
        case Base::Install:
            path = m_settings.InstallPath;
            break;
        case Base::Data:
            path = m_settings.dataFolder();
            break;
        }
        if (!row.folder.empty())
            path = env::joinPath(path, row.folder);
        return env::joinPath(path, row.file);
    }

    void write(const Row &row, int value)
    {
        m_writes.push_back({ std::string(row.subkey), std::string(row.name), SettingValue(value) });
    }
    void write(const Row &row, const std::string &value)
    {
        m_writes.push_back({ std::string(row.subkey), std::string(row.name), SettingValue(value) });
    }

    void repairRanges()
    {
        if (m_settings.MultiJudgeOverN < 0 || m_settings.MultiJudgeOverN > 5)
            m_settings.MultiJudgeOverN = 1;
        if (m_settings.CorrectrateMode < 0 || m_settings.CorrectrateMode > 2)
            m_settings.CorrectrateMode = 2;
    }

    S &m_settings;
    Direction m_direction;
    const CSettingsValues *m_stored;
    const DataLocations *m_locations;
    std::vector<SettingChange> m_writes;
};

bool save(S &settings, ISettingsStore &store, std::initializer_list<std::string_view> only)
{
    CTransfer transfer(settings, Direction::Save, nullptr, nullptr);
    transfer.run(only);
    return store.apply(transfer.writes());
}

} // namespace

bool CKvrSettings::load(ISettingsStore &store, const DataLocations &locations)
{
    const CSettingsValues stored = store.snapshot();
    CTransfer transfer(*this, Direction::Load, &stored, &locations);
    transfer.run({});
    return transfer.writes().empty() || store.apply(transfer.writes());
}

bool CKvrSettings::saveAll(ISettingsStore &store)
{
    return save(*this, store, {});
}

bool CKvrSettings::saveLastSection(ISettingsStore &store)
{
    return save(*this, store, kLastSectionOnly);
}

bool CKvrSettings::saveWindowState(ISettingsStore &store)
{
    return save(*this, store, kWindowState);
}

std::string CKvrSettings::dataFolder() const
{
    if (InstallPath.empty())
        return std::string(1, env::kPathSeparator);
    return env::joinPath(InstallPath, kDataFolderName);
}

} // namespace kvr
