#include "app/ui/optionsdlg.h"

#include <QAbstractSpinBox>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/kvrsettings.h"
#include "app/ui/optionpagedialogs.h"
#include "app/ui/optionpagefile.h"
#include "app/ui/optionpagegeneral.h"
#include "app/ui/optionpagereply.h"
#include "app/ui/optionpagereplyinput.h"
#include "app/ui/optionpagereplyselect.h"
#include "app/ui/optionpageskin.h"
#include "app/ui/optionpagevoice.h"
#include "app/ui/optionpagewebdic.h"
#include "drill/pronunciation.h"
#include "platform/ui/backgroundpalette.h"
#include "platform/ui/buttons.h"
#include "platform/ui/fonts.h"
#include "platform/ui/guarded.h"
#include "platform/ui/qtext.h"
#include "platform/ui/qtfiledialogs.h"

namespace kvr::ui {

namespace {

constexpr int kHeaderHeight = 20;

} // namespace

bool runOptionsSheet(QWidget *parent, OptionsContext &context)
{
    COptionsDlg dialog(context, parent);
    dialog.exec();
    return dialog.settingsChanged();
}

COptionHeader::COptionHeader(QWidget *parent)
    : QWidget(parent)
{
    setObjectName("header");
    setFixedHeight(kHeaderHeight);
}

void COptionHeader::setTitle(const QString &title)
{
    m_title = title;
    update();
}

QSize COptionHeader::sizeHint() const
{
    return { 200, kHeaderHeight };
}

void COptionHeader::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const int w = width();
    for (int i = 0; i < w; ++i) {
        const int grey = i * 255 / (w + 80);
        painter.setPen(QColor(grey, grey, grey));
        painter.drawLine(i, 0, i, height() - 1);
    }
    painter.setFont(gothicFont(12));
    painter.setPen(QColor(224, 224, 224));
    painter.drawText(QRect(5, 4, w - 5, height() - 4), Qt::AlignLeft | Qt::AlignTop, m_title);
}

COptionsDlg::COptionsDlg(OptionsContext &context, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
    , m_dialogs(std::make_unique<CQtOptionDialogs>(this))
    , m_fileDialogs(std::make_unique<CQtFileDialogs>(context.prompter, this))
    , m_header(new COptionHeader(this))
    , m_stack(new QStackedWidget(this))
    , m_tree(new QTreeWidget(this))
{
    setWindowTitle(utext("Kvr オプション"));
    m_sheet = std::make_unique<COptionsSheet>(OptionsSheetServices {
        context.settings, context.store, context.webDictionaries, context.sound, context.prompter,
        context.chooser ? *context.chooser : *m_dialogs,
        context.fileDialogs ? *context.fileDialogs : *m_fileDialogs, context.previewBackground });

    m_tree->setObjectName("pageTree");
    m_tree->setHeaderHidden(true);
    m_tree->setFixedWidth(150);
    addPage("全般", OptionPage::General, new COptionpageGeneral, m_tree, nullptr);
    auto *reply = new QTreeWidgetItem(m_tree);
    addPage("回答", OptionPage::Reply, new COptionpageReply, m_tree, reply);
    addPage("直接入力モード", OptionPage::ReplyInput, new COptionpageReplyInput, m_tree, reply);
    addPage("４択モード", OptionPage::ReplySelect, new COptionpageReplySelect, m_tree, reply);
    addPage("画面デザイン", OptionPage::Skin, new COptionpageSkin, m_tree, reply);
    addPage("音声再生", OptionPage::Voice,
            new COptionpageVoice(context.pronunciation, context.showHelp), m_tree, reply);
    addPage("Web辞書検索", OptionPage::Webdic, new COptionpageWebdic(context.prompter), m_tree,
            nullptr);
    addPage("ファイル", OptionPage::File, new COptionpageFile, m_tree, nullptr);
    reply->setExpanded(true);
    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *item) {
        if (item)
            showPage(static_cast<OptionPage>(item->data(0, Qt::UserRole).toInt()));
    });

    auto *pageArea = new QVBoxLayout;
    pageArea->addWidget(m_header);
    pageArea->addWidget(m_stack, 1);
    auto *top = new QHBoxLayout;
    top->addWidget(m_tree);
    top->addLayout(pageArea, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(buildButtons());

    loadAll();
    m_tree->setCurrentItem(m_tree->topLevelItem(0));
    setMinimumSize(sizeHint().expandedTo(QSize(660, 480)));
}

COptionsDlg::~COptionsDlg() = default;

void COptionsDlg::addPage(const char *utf8Name, OptionPage id, COptionPage *page, QTreeWidget *tree,
                          QTreeWidgetItem *parentItem)
{
    QTreeWidgetItem *item = nullptr;
    if (id == OptionPage::Reply) {
        item = parentItem; // the branch's own item, made by the caller
    } else {
        item = parentItem ? new QTreeWidgetItem(parentItem) : new QTreeWidgetItem(tree);
    }
    item->setText(0, utext(utf8Name));
    item->setData(0, Qt::UserRole, static_cast<int>(id));
    page->setObjectName(QStringLiteral("page%1").arg(static_cast<int>(id)));
    page->setForwarder([this](const SheetAction &action) { forward(action); });
    m_stack->addWidget(page);
    m_pages.emplace_back(id, page);
}

QWidget *COptionsDlg::buildButtons()
{
    auto *row = new QWidget(this);
    QPushButton *defaults = namedButton(row, "defaults", "標準(&D)");
    QPushButton *ok = namedButton(row, "ok", "&OK");
    QPushButton *cancel = namedButton(row, "cancel", "ｷｬﾝｾﾙ(&C)");
    QPushButton *apply = namedButton(row, "apply", "保存しないで更新(&A)");
    QPushButton *help = namedButton(row, "help", "ヘルプ(&H)");
    ok->setDefault(true);
    connect(defaults, &QPushButton::clicked, this,
            [this] { forward([](COptionsSheet &sheet) { sheet.restoreDefaults(); }); });
    connect(ok, &QPushButton::clicked, this, [this] { close(&COptionsSheet::confirm); });
    connect(apply, &QPushButton::clicked, this,
            [this] { close(&COptionsSheet::applyWithoutSaving); });
    connect(cancel, &QPushButton::clicked, this, &COptionsDlg::reject);
    connect(help, &QPushButton::clicked, this, [this] {
        if (m_context.showHelp)
            m_context.showHelp(QUrl(QStringLiteral("qrc:/help/option.html")));
    });
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(defaults);
    layout->addStretch();
    for (QPushButton *b : { ok, cancel, apply, help })
        layout->addWidget(b);
    return row;
}

void COptionsDlg::showPage(OptionPage id)
{
    for (const auto &[pageId, page] : m_pages) {
        if (pageId == id)
            m_stack->setCurrentWidget(page);
    }
    if (QTreeWidgetItem *item = m_tree->currentItem())
        m_header->setTitle(item->text(0));
}

void COptionsDlg::collectAll()
{
    OptionsCopy &copy = m_sheet->copy();
    copy.unstorable.clear();
    for (const auto &[id, page] : m_pages)
        page->collect(copy);
}

void COptionsDlg::loadAll()
{
    const OptionsCopy &copy = m_sheet->copy();
    const OptionsEnabling enabling =
        enabledControls(copy, m_context.pronunciation.speechAvailable());
    for (const auto &[id, page] : m_pages)
        page->loadPage(copy, enabling);
    // The sheet shows the background colour it would give the program.
    applyBackgroundColour(*this, rgbFromColorRef(copy.backgroundColor));
}

void COptionsDlg::forward(const SheetAction &action)
{
    collectAll();
    if (action)
        guarded(m_context.prompter, [&] { action(*m_sheet); });
    loadAll();
}

void COptionsDlg::close(bool (COptionsSheet::*command)())
{
    collectAll();
    bool closes = false;
    guarded(m_context.prompter, [&] { closes = ((*m_sheet).*command)(); });
    if (closes) {
        accept();
        return;
    }
    loadAll();
    focusFailedField();
}

void COptionsDlg::focusFailedField()
{
    const QString name = QString::fromStdString(m_sheet->failedField());
    if (name.isEmpty())
        return;
    for (const auto &[id, page] : m_pages) {
        QWidget *field = page->findChild<QWidget *>(name);
        if (!field)
            continue;
        const OptionPage pageId = id;
        for (QTreeWidgetItemIterator it(m_tree); *it; ++it) {
            if ((*it)->data(0, Qt::UserRole).toInt() == static_cast<int>(pageId))
                m_tree->setCurrentItem(*it);
        }
        field->setFocus();
        if (auto *box = qobject_cast<QAbstractSpinBox *>(field))
            box->selectAll();
        return;
    }
}

void COptionsDlg::reject()
{
    m_sheet->cancel();
    QDialog::reject();
}

} // namespace kvr::ui
