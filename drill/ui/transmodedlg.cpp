#include "drill/ui/transmodedlg.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "history/drillmode.h"
#include "platform/ui/qtext.h"

namespace kvr::ui {

namespace {

struct ModeButton
{
    const char *objectName;
    const char *text;
    const char *description;
    DrillMode mode;
};

// In the order the buttons stand.
constexpr ModeButton kModeButtons[] = {
    { "japaneseToEnglishTyped", "和英入力(&E)", "日本語を見て、英語をキーボードで入力します。",
      DrillMode::JapaneseToEnglishTyped },
    { "speedReply", "SpeedReply(&S)", "問題と答えを見ながら、できるだけ速く答えを入力します。",
      DrillMode::SpeedReply },
    { "japaneseToEnglishChoice", "和英４択(&F)",
      "日本語を見て、４つの英語から正しいものを選びます。", DrillMode::JapaneseToEnglishChoice },
    { "englishToJapaneseTyped", "英和入力(&J)", "英語を見て、日本語をキーボードで入力します。",
      DrillMode::EnglishToJapaneseTyped },
    { "englishToJapaneseChoice", "英和４択(&4)",
      "英語を見て、４つの日本語から正しいものを選びます。", DrillMode::EnglishToJapaneseChoice },
};

} // namespace

CTransModeDlg::CTransModeDlg(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(utext("回答方法の選択"));
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(8);
    int row = 0;
    for (const ModeButton &entry : kModeButtons) {
        auto *button = new QPushButton(utext(entry.text), this);
        button->setObjectName(entry.objectName);
        button->setMinimumSize(130, 30);
        button->setAutoDefault(false);
        grid->addWidget(button, row, 0);
        grid->addWidget(new QLabel(utext(entry.description), this), row, 1);
        const int mode = static_cast<int>(entry.mode);
        connect(button, &QPushButton::clicked, this, [this, mode] {
            m_mode = mode;
            accept();
        });
        ++row;
    }

    auto *cancel = new QPushButton(utext("キャンセル"), this);
    cancel->setObjectName("cancel");
    cancel->setMinimumWidth(88);
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(14);
    layout->addLayout(grid);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

std::optional<int> chooseMode(QWidget *parent)
{
    CTransModeDlg dialog(parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.mode();
}

} // namespace kvr::ui
