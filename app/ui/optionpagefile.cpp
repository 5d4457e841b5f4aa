#include "app/ui/optionpagefile.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/optionssheet.h"

namespace kvr::ui {

COptionpageFile::COptionpageFile(QWidget *parent)
    : COptionPage(parent)
{
    struct Line
    {
        std::string OptionsCopy::*value;
        const char *label;
        const char *field;
        const char *browse;
        BrowseButton button;
    };
    const Line lines[] = {
        { &OptionsCopy::databasePath, "データベース", "databasePath", "databaseBrowse",
          BrowseButton::Database },
        { &OptionsCopy::logPath, "回答履歴ファイル", "logPath", "logBrowse", BrowseButton::Log },
        { &OptionsCopy::webdicPath, "Web辞書設定ファイル", "webdicPath", "webdicBrowse",
          BrowseButton::Webdic },
        { &OptionsCopy::wavFolder, "音声再生WAVファイルの格納フォルダ", "wavFolder",
          "wavFolderBrowse", BrowseButton::WavFolder },
    };
    auto *layout = new QVBoxLayout(this);
    for (const Line &line : lines) {
        Row row { line.value, line.label, lineEdit(line.field) };
        QPushButton *browse = button(line.browse, "参照");
        const BrowseButton which = line.button;
        connect(browse, &QPushButton::clicked, this,
                [this, which] { forward([which](COptionsSheet &s) { s.browse(which); }); });
        auto *fieldRow = new QHBoxLayout;
        fieldRow->addWidget(row.field, 1);
        fieldRow->addWidget(browse);
        layout->addWidget(label(line.label));
        layout->addLayout(fieldRow);
        layout->addSpacing(6);
        m_rows.push_back(row);
    }
    layout->addStretch();
}

void COptionpageFile::load(const OptionsCopy &copy, const OptionsEnabling &)
{
    for (const Row &row : m_rows)
        show(row.field, copy.*row.value);
}

void COptionpageFile::collect(OptionsCopy &copy) const
{
    for (const Row &row : m_rows)
        take(row.field, copy.*row.value, copy, row.label);
}

} // namespace kvr::ui
