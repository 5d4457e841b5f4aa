#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include <QDialog>
#include <QUrl>

#include "app/optionssheet.h"
#include "app/ui/optionpage.h"

class QStackedWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace kvr {
class CPronunciation;
class IPrompter;
class ISettingsStore;
class ISoundPlayer;
struct CKvrSettings;
} // namespace kvr

namespace kvr::ui {

class CQtOptionDialogs;

// What the options sheet works on; everything outlives the sheet.
struct OptionsContext
{
    CKvrSettings &settings;
    ISettingsStore &store;
    std::vector<WebDictionary> &webDictionaries;
    CPronunciation &pronunciation;
    ISoundPlayer &sound;
    IPrompter &prompter;
    // Opens the help window at a page (qrc:/help/option.html, qrc:/help/top.html#voice).
    std::function<void(const QUrl &)> showHelp;
    // Rebuilds the program's background from a colour (COLORREF order) and repaints: the
    // colour chosen on the sheet is previewed through it. May be empty.
    std::function<void(std::int32_t)> previewBackground = {};
    // The colour dialog and the file dialogs; null: the Qt dialogs.
    IOptionsChooser *chooser = nullptr;
    IFileDialogs *fileDialogs = nullptr;
};

// Runs the options sheet modally ("オプション設定(&O)...", F12). True when the settings in
// memory changed or the background was previewed: the caller then rebuilds its background
// from settings.BackgroundColor, refreshes and repaints.
bool runOptionsSheet(QWidget *parent, OptionsContext &context);

// The strip above the page: a grey ramp from black with the page's name on it.
class COptionHeader final : public QWidget
{
    Q_OBJECT
public:
    explicit COptionHeader(QWidget *parent = nullptr);
    void setTitle(const QString &title);
    QString title() const { return m_title; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_title;
};

// "Kvr オプション": the tree of page names, the header, the page and five buttons.
class COptionsDlg final : public QDialog
{
    Q_OBJECT
public:
    COptionsDlg(OptionsContext &context, QWidget *parent = nullptr);
    ~COptionsDlg() override;

    bool settingsChanged() const { return m_sheet->settingsChanged(); }
    void reject() override; // "ｷｬﾝｾﾙ(&C)", Escape and the close button

private:
    void addPage(const char *utf8Name, OptionPage id, COptionPage *page, QTreeWidget *tree,
                 QTreeWidgetItem *parentItem);
    QWidget *buildButtons();
    void showPage(OptionPage id);
    void forward(const SheetAction &action);
    void collectAll();
    void loadAll();
    void close(bool (COptionsSheet::*command)());
    void focusFailedField();

    OptionsContext &m_context;
    std::unique_ptr<CQtOptionDialogs> m_dialogs;
    std::unique_ptr<IFileDialogs> m_fileDialogs;
    std::unique_ptr<COptionsSheet> m_sheet;
    COptionHeader *m_header;
    QStackedWidget *m_stack;
    QTreeWidget *m_tree;
    std::vector<std::pair<OptionPage, COptionPage *>> m_pages;
};

} // namespace kvr::ui
