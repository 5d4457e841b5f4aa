#pragma once

#include <optional>

#include <QDialog>

#include "editor/csvimport.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QTableWidget;

namespace kvr::ui {

// The preview of a CSV or text import: the first records, the column of the answer, the
// question and the hint, and whether the first record is a header.
class CCsvPreviewDlg final : public QDialog
{
    Q_OBJECT
public:
    explicit CCsvPreviewDlg(const CsvFile &file, QWidget *parent = nullptr);

    CsvColumns columns() const;

    // Runs the dialog: the columns chosen, or nothing on "ｷｬﾝｾﾙ". Answers ICsvColumnsDialog.
    static std::optional<CsvColumns> ask(QWidget *parent, const CsvFile &file);

private:
    void render();

    const CsvFile &m_file;
    QCheckBox *m_headerBox;
    QComboBox *m_answer;
    QComboBox *m_question;
    QComboBox *m_hint;
    QTableWidget *m_table;
    QLabel *m_summary;
    QLabel *m_leftOut;
};

} // namespace kvr::ui
