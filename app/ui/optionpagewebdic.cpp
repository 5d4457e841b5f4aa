#include "app/ui/optionpagewebdic.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/optionssheet.h"
#include "app/optionswebdic.h"
#include "platform/ui/qtext.h"

namespace kvr::ui {

COptionpageWebdic::COptionpageWebdic(IPrompter &prompter, QWidget *parent)
    : COptionPage(parent)
    , m_prompter(prompter)
    , m_list(new QTreeWidget(this))
    , m_type(new QComboBox(this))
    , m_title(lineEdit("webTitle"))
    , m_head(lineEdit("webHead"))
    , m_foot(lineEdit("webFoot"))
{
    m_list->setObjectName("webdicList");
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels(
        { utext("辞書タイプ"), utext("タイトル"), utext("URL（先頭）"), utext("URL（最後）") });
    const int widths[] = { 80, 80, 120, 120 };
    for (int column = 0; column < 4; ++column)
        m_list->setColumnWidth(column, widths[column]);
    m_type->setObjectName("webType");
    for (int type = 0; type < kWebDictionaryTypeCount; ++type)
        m_type->addItem(qtext(webDictionaryTypeText(type)));

    connect(m_list, &QTreeWidget::currentItemChanged, this, [this] {
        const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
        forward([row](COptionsSheet &s) { selectWebDictionary(s.copy().webdic, row); });
    });
    connect(m_list, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem *item) {
        const int row = m_list->indexOfTopLevelItem(item);
        const bool enabled = item->checkState(0) == Qt::Checked;
        forward([row, enabled](COptionsSheet &s) {
            if (row >= 0 && row < int(s.copy().webdic.rows.size()))
                s.copy().webdic.rows[row].enabled = enabled;
        });
    });

    auto *fields = new QGridLayout;
    fields->addWidget(label("辞書タイプ"), 0, 0);
    fields->addWidget(m_type, 0, 1, Qt::AlignLeft);
    fields->addWidget(label("タイトル"), 1, 0);
    fields->addWidget(m_title, 1, 1);
    fields->addWidget(label("URL（先頭）"), 2, 0);
    fields->addWidget(m_head, 2, 1);
    fields->addWidget(label("URL（最後）"), 3, 0);
    fields->addWidget(m_foot, 3, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons());
    layout->addLayout(fields);
    layout->addWidget(label("問題毎履歴リストの右クリックメニューから検索できます。\n"
                            "チェックしたサイトがメニューに現れます。"));
}

QWidget *COptionpageWebdic::buttons()
{
    auto *row = new QWidget(this);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    const std::pair<const char *, const char *> names[] = {
        { "webAdd", "追加" }, { "webChange", "変更" }, { "webRemove", "削除" },
        { "webUp", "↑" },     { "webDown", "↓" },
    };
    const SheetAction actions[] = {
        [this](COptionsSheet &s) {
            if (!refuseUnstorable(s.copy(), m_prompter))
                addWebDictionary(s.copy().webdic, m_prompter);
        },
        [this](COptionsSheet &s) {
            if (!refuseUnstorable(s.copy(), m_prompter))
                changeWebDictionary(s.copy().webdic);
        },
        [](COptionsSheet &s) { removeWebDictionary(s.copy().webdic); },
        [](COptionsSheet &s) { moveWebDictionary(s.copy().webdic, -1); },
        [](COptionsSheet &s) { moveWebDictionary(s.copy().webdic, +1); },
    };
    for (int i = 0; i < 5; ++i) {
        QPushButton *b = button(names[i].first, names[i].second);
        if (i >= 3)
            b->setMaximumWidth(40);
        layout->addWidget(b);
        const SheetAction action = actions[i];
        connect(b, &QPushButton::clicked, this, [this, action] { forward(action); });
    }
    layout->addStretch();
    return row;
}

void COptionpageWebdic::showRows(const WebDictionaryPage &page)
{
    const QSignalBlocker blocker(m_list);
    if (page.rows != m_shown) {
        m_list->clear();
        for (const WebDictionary &site : page.rows) {
            auto *item =
                new QTreeWidgetItem(m_list,
                                    { qtext(webDictionaryTypeText(site.dicType)), qtext(site.title),
                                      qtext(site.urlHead), qtext(site.urlFoot) });
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(0, site.enabled ? Qt::Checked : Qt::Unchecked);
        }
        m_shown = page.rows;
    }
    m_list->setCurrentItem(page.selected >= 0 ? m_list->topLevelItem(page.selected) : nullptr);
}

void COptionpageWebdic::load(const OptionsCopy &copy, const OptionsEnabling &)
{
    showRows(copy.webdic);
    m_type->setCurrentIndex(copy.webdic.fields.dicType);
    show(m_title, copy.webdic.fields.title);
    show(m_head, copy.webdic.fields.urlHead);
    show(m_foot, copy.webdic.fields.urlFoot);
}

void COptionpageWebdic::collect(OptionsCopy &copy) const
{
    WebDictionary &fields = copy.webdic.fields;
    fields.dicType = std::max(0, m_type->currentIndex());
    take(m_title, fields.title, copy, "タイトル");
    take(m_head, fields.urlHead, copy, "URL（先頭）");
    take(m_foot, fields.urlFoot, copy, "URL（最後）");
}

} // namespace kvr::ui
