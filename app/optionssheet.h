#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/options.h"
#include "app/startup.h"
#include "platform/filedialogs.h"
#include "platform/rgb.h"

namespace kvr {

class ISettingsStore;

// The dialog the options sheet opens besides message boxes and file dialogs.
class IOptionsChooser
{
public:
    virtual ~IOptionsChooser() = default;
    // The colour dialog.
    virtual std::optional<Rgb> askColour(Rgb initial) = 0;
};

enum class BrowseButton { Database, Log, Webdic, Skin, CorrectSound, IncorrectSound, WavFolder };
enum class EffectSound { Correct, Incorrect };

// What the sheet works on; everything outlives the sheet.
struct OptionsSheetServices
{
    CKvrSettings &settings;
    ISettingsStore &store;
    std::vector<WebDictionary> &webDictionaries;
    ISoundPlayer &sound;
    IPrompter &prompter;
    IOptionsChooser &chooser;
    IFileDialogs &fileDialogs;
    // Rebuilds the program's background from a colour (COLORREF order) and repaints; may
    // be empty.
    std::function<void(std::int32_t)> previewBackground;
};

// The options sheet without its widgets: the pages load their controls from copy() and
// collect them back before every command, then load again.
class COptionsSheet
{
public:
    explicit COptionsSheet(OptionsSheetServices services);

    OptionsCopy &copy() { return m_copy; }
    const OptionsCopy &copy() const { return m_copy; }

    // "&OK": transfer out; on success save every setting, hand the web-dictionary rows to
    // the program and write them to WebdiciniPath. When that path names an existing file
    // the rows were not read from, the learner is asked first; "いいえ" takes that file's
    // sites instead. True when the sheet closes.
    bool confirm();
    // "保存しないで更新(&A)": transfer out only; the rows are dropped. True when it closes.
    bool applyWithoutSaving();
    // "ｷｬﾝｾﾙ(&C)": undoes the background preview; slider moves stay.
    void cancel();
    // "標準(&D)".
    void restoreDefaults();
    // "背景色の変更(&C)": the colour dialog; a chosen colour is previewed at once.
    void chooseBackground();
    // The rate and volume sliders act at once: on the settings in memory (the caller passes
    // the value to the speech engine); they are saved only with the others.
    void moveVoiceRate(int rate);
    void moveVoiceVolume(int volume);
    // "ﾃｽﾄ" beside an effect sound.
    void testEffect(EffectSound which);
    // "参照" buttons; true when the field changed. A chosen web-dictionary file that exists
    // replaces the page's rows with its sites.
    bool browse(BrowseButton button);

    // The field to focus after a failed confirm or apply (empty: none).
    const std::string &failedField() const { return m_failedField; }
    // True once the settings in memory changed or the background was previewed: the
    // program then rebuilds its background from the settings and repaints.
    bool settingsChanged() const { return m_changed || m_previewed; }

private:
    bool transferOut();
    bool browseFile(const FileRequest &request, std::string &field);
    bool keepOtherWebdicFile(const std::string &path);

    OptionsSheetServices m_services;
    OptionsCopy m_copy;
    std::string m_failedField;
    std::string m_webdicSource; // the file the web-dictionary rows were read from
    bool m_changed = false;
    bool m_previewed = false;
};

} // namespace kvr
