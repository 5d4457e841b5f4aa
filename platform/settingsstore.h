#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

// The per-user settings of both programs, shaped like the Windows registry key
// HKEY_CURRENT_USER\Software\<company>\<program>: named subkeys ("Options", "DBv3",
// "Cmpdatabasefile", "KvrEditor") holding named values, each either a 32-bit integer or a
// text (CP932 bytes). Subkey and value names match case-insensitively (ASCII) as registry
// names do; the spelling first written is kept.
//
// A value read as the other type than asked for counts as missing.
namespace kvr {

constexpr std::string_view kSettingsCompany = "Ombrel Presents";
constexpr std::string_view kSettingsProgram = "Kvr";

using SettingValue = std::variant<std::int32_t, std::string>;

// One write: set the value, or remove it when value is empty.
struct SettingChange
{
    std::string subkey;
    std::string name;
    std::optional<SettingValue> value;
};

// ASCII case-insensitive ordering for subkey and value names.
struct SettingNameLess
{
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
};

// All values of one key, as read at one moment.
class CSettingsValues
{
public:
    std::optional<std::int32_t> readInt(std::string_view subkey, std::string_view name) const;
    std::optional<std::string> readString(std::string_view subkey, std::string_view name) const;
    bool contains(std::string_view subkey, std::string_view name) const;
    std::size_t size() const;

    void apply(const SettingChange &change);

    // The text form of the settings file:
    //
    //   ; Kelvora settings
    //   [Options]
    //   LastSection=text:%83%7E%83j/Unit 1
    //   KvrWindowWidth=int:600
    //
    // One subkey per "[...]" line, then one "name=type:value" line per value; lines end in
    // CR LF. Types are "int" (signed decimal, 32 bits) and "text". Every line is printable
    // ASCII: in names and texts each byte below 0x20 or above 0x7E, and "%", is written as
    // "%" and two upper-case hex digits; names also escape "=", "[", "]", ";" and "#".
    // Nothing is trimmed, so leading and trailing blanks survive. Lines beginning with ";"
    // or "#", empty lines and lines that do not parse (an unknown type, a bad escape, an
    // integer out of range) are skipped; a later line for the same name wins.
    std::string format() const;
    static CSettingsValues parse(std::string_view text);

private:
    using Values = std::map<std::string, SettingValue, SettingNameLess>;
    const SettingValue *find(std::string_view subkey, std::string_view name) const;
    std::map<std::string, Values, SettingNameLess> m_subkeys;
};

// The settings key of one program. Reads see the values as they are now (another program
// may have changed them); writes change only the values they name, so two programs writing
// their own values at the same time lose nothing.
class ISettingsStore
{
public:
    virtual ~ISettingsStore() = default;

    // Every value, read once: for loading many values.
    virtual CSettingsValues snapshot() const = 0;
    // Applies the changes together, in order; false when they could not be stored (then
    // none of them is).
    virtual bool apply(std::span<const SettingChange> changes) = 0;
    // The file a write failed on, once: the first failure is handed out by the first call
    // after it, and never again (a lock file left by another user fails every write; the
    // learner is told once, not at every setting).
    virtual std::optional<std::string> takeWriteFailure() { return std::nullopt; }

    std::optional<std::int32_t> readInt(std::string_view subkey, std::string_view name) const;
    std::optional<std::string> readString(std::string_view subkey, std::string_view name) const;
    std::int32_t readInt(std::string_view subkey, std::string_view name,
                         std::int32_t defaultValue) const;
    std::string readString(std::string_view subkey, std::string_view name,
                           std::string_view defaultValue) const;

    bool writeInt(std::string_view subkey, std::string_view name, std::int32_t value);
    bool writeString(std::string_view subkey, std::string_view name, std::string_view value);
    bool remove(std::string_view subkey, std::string_view name);
};

// The settings held in memory only, for tests of the layers above. It keeps a record of
// every change applied, in order.
class CMemorySettingsStore : public ISettingsStore
{
public:
    CSettingsValues snapshot() const override { return m_values; }
    bool apply(std::span<const SettingChange> changes) override;

    const std::vector<SettingChange> &changes() const { return m_changes; }
    void clearChanges() { m_changes.clear(); }
    // While set, apply() fails and changes nothing, like a store that cannot be written.
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }

private:
    CSettingsValues m_values;
    std::vector<SettingChange> m_changes;
    bool m_readOnly = false;
};

// The settings in one text file (format: CSettingsValues::format). Every write locks the
// lock file beside it (path + ".lock"), re-reads the file, changes its values and replaces
// the file atomically, so concurrent writers never lose each other's values and a crash
// leaves either the old or the new file. Reads take no lock.
class CFileSettingsStore : public ISettingsStore
{
public:
    explicit CFileSettingsStore(std::string path)
        : m_path(std::move(path))
    {
    }

    CSettingsValues snapshot() const override;
    bool apply(std::span<const SettingChange> changes) override;
    std::optional<std::string> takeWriteFailure() override;

    const std::string &path() const { return m_path; }

private:
    bool write(std::span<const SettingChange> changes);

    std::string m_path;
    std::optional<std::string> m_failedOn; // the file (or its lock file) a write failed on
    bool m_failureTold = false;
};

// "設定ファイル %s に書き込めませんでした。設定は保存されません。" (CP932).
std::string settingsWriteFailedText(const std::string &path);

// <config home>/<company>/<program>.conf
std::string settingsFilePath(std::string_view company = kSettingsCompany,
                             std::string_view program = kSettingsProgram);

// The current user's settings key of the study program (shared with the editor).
std::unique_ptr<ISettingsStore> openUserSettings();

} // namespace kvr
