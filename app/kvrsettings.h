#pragma once

#include <cstdint>
#include <string>

#include "app/datafolder.h"

namespace kvr {

class ISettingsStore;

// Every persisted setting of the study program, named by its stored value name.
// Texts are CP932.
//
// Loading and saving walk one table of all values in the same order, InstallPath first
// since the default paths are built from it. A value that is missing when loaded takes its
// default, which is written back at once. After every load and save MultiJudgeOverN is in
// 0..5 (else 1), CorrectrateMode in 0..2 (else 2), and ShowCorrectNumbersDlg is true in
// memory whatever is stored. Loading also brings every number of the range table
// (settingranges.h) into its range, in memory. Store failures are not reported beyond the bool
// results.
struct CKvrSettings
{
    std::string InstallPath;
    std::string CmpFilename; // Cmpdatabasefile/filename
    std::string DatabaseFilename; // DBv3/filename
    std::string SkinPath;
    std::string LogPath;
    std::string WebdiciniPath;
    std::string UserName;
    std::string LastSection;
    bool ShowCorrectNumbersDlg = true;
    bool ShowConfirmOrderDlg = true;
    bool IgnoreCase = true;
    bool IsSequencial = false;
    int nDefaultQuestions = 20;
    bool IsRandomMistakeReply = false;
    int CorrectWaitTime = 600;
    int IncorrectWaitTime = 600;
    std::string CorrectSoundfile;
    std::string IncorrectSoundfile;
    int ReplyStartLimitJe = 3000;
    bool UseReplyStartLimitJe = true;
    int ReplyLimitEJ = 10000;
    bool UseReplyLimitEJ = true;
    int ShowLimitEJ4 = 1000;
    bool UseShowLimitEJ4 = true;
    int ReplyLimitEJ4 = 10000;
    bool UseReplyLimitEJ4 = true;
    int ShowLimitJE4 = 1000;
    bool UseShowLimitJE4 = true;
    int ReplyLimitJE4 = 10000;
    bool UseReplyLimitJE4 = true;
    bool AlwaysShowHint = false;
    int MultiJudge = 0;
    int MultiJudgeOverN = 1;
    int CorrectrateMode = 2;
    bool UseVoice = true;
    bool UseJEVoice = true;
    bool UseJEVoice2 = true;
    bool UseEJ4Voice = true;
    int VoiceRate = 0;
    int VoiceVolume = 100;
    int VoiceFormat = 27;
    bool UseWavvoice = false;
    std::string Wavefiledir;
    std::int32_t BackgroundColor = 16765088;
    int Opacity = 80;
    int KvrWindowWidth = 600;
    int KvrWindowHeight = 450;
    int TreeLogPeriod = 370;
    int LogMode = 0;
    bool CorrectHeadNAnswerJE = true;
    int nCorrectHeadNAnswerJE = 1;
    // Typed answers: full-width ASCII counts as half-width when that makes it right.
    bool FoldFullWidth = true;

    bool operator==(const CKvrSettings &) const = default;

    // Reads every value; true when the defaults written back (if any) were stored.
    // locations only give the default InstallPath: loading never copies files (start-up
    // calls seedUserData afterwards).
    bool load(ISettingsStore &store, const DataLocations &locations = DataLocations::current());
    bool saveAll(ISettingsStore &store);
    bool saveLastSection(ISettingsStore &store);
    // KvrWindowWidth, KvrWindowHeight, TreeLogPeriod, CorrectrateMode and LogMode.
    bool saveWindowState(ISettingsStore &store);

    // InstallPath + "/Datas", or the lone separator when InstallPath is empty.
    std::string dataFolder() const;
};

} // namespace kvr
