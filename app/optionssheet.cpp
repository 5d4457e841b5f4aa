#include "app/optionssheet.h"

#include "app/kvrsettings.h"
#include "platform/cp932.h"
#include "platform/environment.h"
#include "platform/prompter.h"
#include "platform/settingsstore.h"
#include "platform/sound.h"
#include "platform/textfile.h"
#include "platform/textformat.h"

namespace kvr {

namespace {

void warn(IPrompter &prompter, std::string text)
{
    Message message;
    message.text = std::move(text);
    message.icon = Icon::Warning;
    prompter.ask(message);
}

FileFilter filter(const char *label, const char *pattern)
{
    return FileFilter { cp932::text(label), pattern };
}

FileRequest request(const char *title, FileFilter typed, const char *extension,
                    std::string initialFile)
{
    FileRequest r;
    r.title = cp932::text(title);
    r.filters = { std::move(typed), filter("すべて(*.*)", "*.*") };
    r.defaultExtension = extension;
    r.proposedName = std::move(initialFile);
    return r;
}

} // namespace

COptionsSheet::COptionsSheet(OptionsSheetServices services)
    : m_services(std::move(services))
{
    transferOptions(Transfer::IntoControls, m_services.settings, m_copy, m_services.sound,
                    m_services.prompter);
    m_copy.webdic.rows = m_services.webDictionaries;
    m_webdicSource = m_services.settings.WebdiciniPath;
}

bool COptionsSheet::transferOut()
{
    const TransferResult result = transferOptions(Transfer::OutOfControls, m_services.settings,
                                                  m_copy, m_services.sound, m_services.prompter);
    m_failedField = result.failedField;
    if (!result.ok) {
        m_services.prompter.tell(cp932::text("更新できませんでした"));
        return false;
    }
    m_changed = true;
    return true;
}

bool COptionsSheet::confirm()
{
    if (!transferOut())
        return false;
    CKvrSettings &settings = m_services.settings;
    if (!settings.saveAll(m_services.store))
        warn(m_services.prompter, cp932::text("設定を保存できませんでした。"));
    if (!keepOtherWebdicFile(settings.WebdiciniPath))
        m_services.webDictionaries = m_copy.webdic.rows;
    else if (readWebDictionaries(m_services.webDictionaries, settings.WebdiciniPath))
        return true; // the other file's sites are taken as they are, nothing is written
    if (!writeWebDictionaries(m_services.webDictionaries, settings.WebdiciniPath)) {
        warn(m_services.prompter,
             formatText(cp932::text("Web辞書設定ファイル %s を保存できませんでした。"),
                        settings.WebdiciniPath.c_str()));
    }
    return true;
}

bool COptionsSheet::keepOtherWebdicFile(const std::string &path)
{
    // The rows shown came from another file: writing them over this one would lose its
    // sites unless the learner says so.
    if (path == m_webdicSource || !fileExists(path))
        return false;
    Message question;
    question.text = formatText(cp932::text("Web辞書設定ファイル %s は既にあります。\n"
                                           "今のWeb辞書の一覧で上書きしますか？\n\n"
                                           "（いいえ：このファイルのWeb辞書を読み込みます）"),
                               path.c_str());
    question.buttons = Buttons::YesNo;
    question.icon = Icon::Question;
    return m_services.prompter.ask(question) != Reply::Yes;
}

bool COptionsSheet::applyWithoutSaving()
{
    return transferOut();
}

void COptionsSheet::cancel()
{
    if (m_previewed && m_services.previewBackground)
        m_services.previewBackground(m_services.settings.BackgroundColor);
}

void COptionsSheet::restoreDefaults()
{
    kvr::restoreDefaults(m_copy, m_services.settings);
}

void COptionsSheet::chooseBackground()
{
    const std::optional<Rgb> colour =
        m_services.chooser.askColour(rgbFromColorRef(m_copy.backgroundColor));
    if (!colour)
        return;
    m_copy.backgroundColor = colorRefFromRgb(*colour);
    m_previewed = true;
    if (m_services.previewBackground)
        m_services.previewBackground(m_copy.backgroundColor);
}

void COptionsSheet::moveVoiceRate(int rate)
{
    m_copy.voiceRate = rate;
    m_services.settings.VoiceRate = rate;
    m_changed = true;
}

void COptionsSheet::moveVoiceVolume(int volume)
{
    m_copy.voiceVolume = volume;
    m_services.settings.VoiceVolume = volume;
    m_changed = true;
}

void COptionsSheet::testEffect(EffectSound which)
{
    const bool correct = which == EffectSound::Correct;
    const std::string &file = correct ? m_copy.correctSoundFile : m_copy.incorrectSoundFile;
    if (m_services.sound.play(file) || file.empty())
        return;
    warn(m_services.prompter,
         cp932::text(correct
                         ? "正解時の効果音ファイルが存在しません・・・。設定し直してください。"
                         : "不正解時の効果音ファイルが存在しません・・・。設定し直してください。"));
}

bool COptionsSheet::browseFile(const FileRequest &request, std::string &field)
{
    const std::optional<std::string> chosen = m_services.fileDialogs.askPath(request);
    if (!chosen)
        return false;
    if (!fileExists(*chosen))
        warn(m_services.prompter, cp932::text("ファイルが見つかりません。"));
    field = *chosen;
    return true;
}

bool COptionsSheet::browse(BrowseButton button)
{
    OptionsCopy &c = m_copy;
    const CKvrSettings &s = m_services.settings;
    switch (button) {
    case BrowseButton::Database: {
        Message caution;
        caution.text =
            cp932::text("誤ったデータベースファイルを指定すると、最悪の場合、Kvrが起動し"
                        "なくなります。\nそれでも、データベースファイル名を変更しますか？");
        caution.caption = "CAUTION!";
        caution.buttons = Buttons::YesNo;
        caution.icon = Icon::Warning;
        if (m_services.prompter.ask(caution) != Reply::Yes)
            return false;
        return browseFile(request("Kvr DatabaseFile Select",
                                  filter("Kvr DatabaseFile (*.kvr)", "*.kvr"), "kvr",
                                  c.databasePath),
                          c.databasePath);
    }
    case BrowseButton::Log:
        return browseFile(request("回答履歴ファイルの設定", filter("Kvr LogFile (*.txt)", "*.txt"),
                                  "txt", c.logPath),
                          c.logPath);
    case BrowseButton::Webdic:
        if (!browseFile(request("Web辞書設定ファイル", filter("Kvr WebDicIni (*.ini)", "*.ini"),
                                "ini", c.webdicPath),
                        c.webdicPath))
            return false;
        // The page shows the chosen file's sites, so OK writes back what it holds.
        if (c.webdicPath != m_webdicSource && fileExists(c.webdicPath)) {
            readWebDictionaries(c.webdic.rows, c.webdicPath);
            c.webdic.selected = -1;
            m_webdicSource = c.webdicPath;
        }
        return true;
    case BrowseButton::Skin:
        return browseFile(request("Kvr SkinFile Select", filter("Kvr SkinFile (*.ini)", "*.ini"),
                                  "ini", c.skinPath),
                          c.skinPath);
    case BrowseButton::CorrectSound:
    case BrowseButton::IncorrectSound: {
        const bool correct = button == BrowseButton::CorrectSound;
        FileRequest r = request(correct ? "正解時の再生音" : "不正解時の再生音",
                                filter("WAV Files(*.wav)", "*.wav"), "wav",
                                correct ? s.CorrectSoundfile : s.IncorrectSoundfile);
        r.startFolder = s.dataFolder();
        return browseFile(r, correct ? c.correctSoundFile : c.incorrectSoundFile);
    }
    case BrowseButton::WavFolder: {
        FileRequest r;
        r.mode = FileDialogMode::Folder;
        r.title = cp932::text("フォルダを選択してください");
        r.proposedName = c.wavFolder;
        const std::optional<std::string> folder = m_services.fileDialogs.askPath(r);
        if (!folder)
            return false;
        c.wavFolder = *folder;
        return true;
    }
    }
    return false;
}

} // namespace kvr
