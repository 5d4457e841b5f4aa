#pragma once

#include <QDialog>

namespace kvr::ui {

// The about box: the program icon, the version line, the copyright line and OK.
class CAboutDlg final : public QDialog
{
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget *parent = nullptr);
};

} // namespace kvr::ui
