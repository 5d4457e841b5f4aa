#pragma once

#include <string>
#include <string_view>

namespace kvr {

class ISettingsStore;

// The editor's settings: values of the study program's key that it uses (database, last
// selected collection, log, web dictionaries, WAV folder) and its own subkey "KvrEditor".
// Texts are CP932.
struct CEditorSettings
{
    std::string DatabaseFilename; // DBv3/filename; empty: the study program never ran
    std::string LastSection; // Options/LastSection
    std::string LogPath; // Options/LogPath
    std::string WebdiciniPath; // Options/WebdiciniPath
    std::string Wavefiledir; // Options/Wavefiledir, read only
    int Pediod = 200; // KvrEditor/Pediod: the divider's x position
    int WindowSizeX = 600; // KvrEditor/WindowSizeX
    int WindowSizeY = 500; // KvrEditor/WindowSizeY
    std::string DefaultUser; // KvrEditor/DefaultUser: copyright holder of new items
    bool firstRun = false; // Pediod was missing when loaded

    // Reads every value: a missing text is empty; a missing integer (or one stored as -1)
    // takes its default, and a missing Pediod marks the first run; an empty DefaultUser
    // becomes userName. Defaults taken are written back at once; false when that failed.
    bool load(ISettingsStore &store, std::string_view userName);
    // The KvrEditor subkey only.
    bool saveOwn(ISettingsStore &store) const;
    // The KvrEditor subkey, and those of DBv3/filename, LastSection, LogPath and
    // WebdiciniPath that changed since they were loaded: the study program's values are
    // never written back as the editor read them, so a newer value it stored in between
    // (the collection a drill runs on) stays.
    bool saveAll(ISettingsStore &store);

private:
    struct Shared
    {
        std::string DatabaseFilename, LastSection, LogPath, WebdiciniPath;
    };
    Shared m_loaded;
};

// The study program's LastSection as stored now.
std::string readLastSection(const ISettingsStore &store);

// The divider's position after a drag: x limited to 15 … 600.
int limitDivider(int x);

} // namespace kvr
