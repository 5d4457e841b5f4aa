#pragma once

#include <QDialog>

#include "app/ui/appinfo.h"

namespace kvr::ui {

// The about box of either program: its icon, its version line, the copyright line and OK.
class CAboutDlg final : public QDialog
{
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget *parent = nullptr); // the study program's
    explicit CAboutDlg(const ProgramIdentity &program, QWidget *parent = nullptr);
};

} // namespace kvr::ui
