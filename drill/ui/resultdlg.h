#pragma once

#include <QDialog>

#include "drill/drillports.h"
#include "platform/rgb.h"

namespace kvr {
struct ResultReport;
}

namespace kvr::ui {

// "解答結果！": the report's comment in its band and the seven rows at their fixed places on
// the background colour, and one "OK" button (Enter and Escape close it too).
class CResultDlg final : public QDialog
{
    Q_OBJECT
public:
    CResultDlg(const ResultReport &report, Rgb background, QWidget *parent = nullptr);
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
    void showResultReport(const ResultReport &report) override;

private:
    QWidget *m_parent;
    Rgb m_background;
};

} // namespace kvr::ui
