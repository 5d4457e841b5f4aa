// The editor's values in the settings store.
#include "editor/editorsettings.h"

#include <algorithm>
#include <vector>

#include "platform/settingsstore.h"

namespace kvr {

namespace {

constexpr std::string_view kOwn = "KvrEditor";
constexpr std::string_view kOptions = "Options";
constexpr std::string_view kDatabase = "DBv3";
constexpr std::int32_t kMissing = -1;

SettingChange textChange(std::string_view subkey, std::string_view name, const std::string &value)
{
    return SettingChange { std::string(subkey), std::string(name), SettingValue(value) };
}

SettingChange intChange(std::string_view name, int value)
{
    return SettingChange { std::string(kOwn), std::string(name),
                           SettingValue(static_cast<std::int32_t>(value)) };
}

} // namespace

bool CEditorSettings::load(ISettingsStore &store, std::string_view userName)
{
    const CSettingsValues values = store.snapshot();
    const auto text = [&](std::string_view subkey, std::string_view name) {
        return values.readString(subkey, name).value_or(std::string());
    };
    DatabaseFilename = text(kDatabase, "filename");
    LastSection = text(kOptions, "LastSection");
    LogPath = text(kOptions, "LogPath");
    WebdiciniPath = text(kOptions, "WebdiciniPath");
    Wavefiledir = text(kOptions, "Wavefiledir");
    m_loaded = { DatabaseFilename, LastSection, LogPath, WebdiciniPath };

    std::vector<SettingChange> defaults;
    const auto number = [&](std::string_view name, int &field, int fallback) {
        const std::int32_t stored = values.readInt(kOwn, name).value_or(kMissing);
        field = stored == kMissing ? fallback : stored;
        if (stored == kMissing)
            defaults.push_back(intChange(name, fallback));
        return stored == kMissing;
    };
    firstRun = number("Pediod", Pediod, 200);
    number("WindowSizeX", WindowSizeX, 600);
    number("WindowSizeY", WindowSizeY, 500);
    DefaultUser = text(kOwn, "DefaultUser");
    if (DefaultUser.empty()) {
        DefaultUser = std::string(userName);
        defaults.push_back(textChange(kOwn, "DefaultUser", DefaultUser));
    }
    return defaults.empty() || store.apply(defaults);
}

namespace {

std::vector<SettingChange> ownChanges(const CEditorSettings &settings)
{
    return {
        intChange("Pediod", settings.Pediod),
        intChange("WindowSizeX", settings.WindowSizeX),
        intChange("WindowSizeY", settings.WindowSizeY),
        textChange(kOwn, "DefaultUser", settings.DefaultUser),
    };
}

} // namespace

bool CEditorSettings::saveOwn(ISettingsStore &store) const
{
    return store.apply(ownChanges(*this));
}

bool CEditorSettings::saveAll(ISettingsStore &store)
{
    std::vector<SettingChange> changes = ownChanges(*this);
    const auto shared = [&](std::string_view subkey, std::string_view name,
                            const std::string &value, const std::string &loaded) {
        if (value != loaded)
            changes.push_back(textChange(subkey, name, value));
    };
    shared(kDatabase, "filename", DatabaseFilename, m_loaded.DatabaseFilename);
    shared(kOptions, "LastSection", LastSection, m_loaded.LastSection);
    shared(kOptions, "LogPath", LogPath, m_loaded.LogPath);
    shared(kOptions, "WebdiciniPath", WebdiciniPath, m_loaded.WebdiciniPath);
    if (!store.apply(changes))
        return false;
    m_loaded = { DatabaseFilename, LastSection, LogPath, WebdiciniPath };
    return true;
}

std::string readLastSection(const ISettingsStore &store)
{
    return store.readString(kOptions, "LastSection").value_or(std::string());
}

int limitDivider(int x)
{
    return std::clamp(x, 15, 600);
}

} // namespace kvr
