#include "app/ui/optionpageskin.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "app/optionssheet.h"
#include "app/skinlist.h"
#include "drill/skin.h"
#include "platform/environment.h"
#include "platform/ui/qtext.h"

namespace kvr::ui {

COptionpageSkin::COptionpageSkin(QWidget *parent)
    : COptionPage(parent)
    , m_list(new QListWidget(this))
    , m_skinPath(lineEdit("skinPath"))
    , m_width(infoField("skinWidth"))
    , m_height(infoField("skinHeight"))
    , m_answerTitle(infoField("answerTitle"))
    , m_questionTitle(infoField("questionTitle"))
{
    m_list->setObjectName("skinList");
    m_width->setMaximumWidth(60);
    m_height->setMaximumWidth(60);
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0 || row >= int(m_skins.paths.size()))
            return;
        const std::string path = m_skins.paths[row];
        forward([path](COptionsSheet &sheet) { sheet.copy().skinPath = path; });
    });
    QPushButton *browse = button("skinBrowse", "参照");
    connect(browse, &QPushButton::clicked, this,
            [this] { forward([](COptionsSheet &s) { s.browse(BrowseButton::Skin); }); });

    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(m_skinPath, 1);
    fileRow->addWidget(browse);

    auto *info = new QGroupBox(utext("情報"), this);
    auto *grid = new QGridLayout(info);
    grid->addWidget(label("サイズ"), 0, 0);
    auto *size = new QHBoxLayout;
    size->addWidget(m_width);
    size->addWidget(label("×"));
    size->addWidget(m_height);
    size->addStretch();
    grid->addLayout(size, 0, 1);
    grid->addWidget(label("Answer Title"), 1, 0);
    grid->addWidget(m_answerTitle, 1, 1);
    grid->addWidget(label("Question Title"), 2, 0);
    grid->addWidget(m_questionTitle, 2, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(fileRow);
    layout->addWidget(info);
}

QLineEdit *COptionpageSkin::infoField(const char *name)
{
    QLineEdit *field = lineEdit(name);
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::ClickFocus);
    return field;
}

void COptionpageSkin::fillList(const std::string &skinPath)
{
    m_skins = skinListOf(skinPath, env::programFolder());
    m_list->clear();
    for (const std::string &name : m_skins.names)
        m_list->addItem(qtext(name));
    m_filled = true;
}

void COptionpageSkin::showInformation(const std::string &skinPath)
{
    m_informed = skinPath;
    CSkin skin;
    if (!skin.loadSkin(skinPath))
        return; // the fields keep what they showed
    m_width->setText(QString::number(skin.DlgWidth_n));
    m_height->setText(QString::number(skin.DlgHeight_n));
    m_answerTitle->setText(qtext(skin.AnswerTitle_str));
    m_questionTitle->setText(qtext(skin.QuestionTitle_str));
}

void COptionpageSkin::load(const OptionsCopy &copy, const OptionsEnabling &)
{
    if (!m_filled)
        fillList(copy.skinPath);
    show(m_skinPath, copy.skinPath);
    if (copy.skinPath != m_informed)
        showInformation(copy.skinPath);
    // Showing the row of a relative skin path must not store the row's absolute path.
    const QSignalBlocker quiet(m_list);
    m_list->setCurrentRow(m_skins.rowOf(copy.skinPath, env::programFolder()));
}

void COptionpageSkin::collect(OptionsCopy &copy) const
{
    take(m_skinPath, copy.skinPath, copy, "スキンファイル");
}

} // namespace kvr::ui
