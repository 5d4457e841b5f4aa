#pragma once

#include <QDialog>

#include "drill/drillports.h"
#include "platform/rgb.h"

namespace kvr {
struct ResultReport;
}

namespace kvr::ui {

// "解答結果！": the report's comment in its band and the seven rows at their fixed places on
// the background colour, an "OK" button (Enter and Escape close it too) and
// "間違えた問題だけもう一度", enabled as the report says.
class CResultDlg final : public QDialog
{
    Q_OBJECT
public:
    CResultDlg(const ResultReport &report, Rgb background, QWidget *parent = nullptr);
    ReportAction action() const { return m_action; }

private:
    ReportAction m_action = ReportAction::Close;
};

// Shows the report modally over parent.
class CQtResultPresenter final : public IResultPresenter
{
public:
    CQtResultPresenter(QWidget *parent, Rgb background)
        : m_parent(parent)
        , m_background(background)
    {
    }
    ReportAction showResultReport(const ResultReport &report) override;

private:
    QWidget *m_parent;
    Rgb m_background;
};

} // namespace kvr::ui
