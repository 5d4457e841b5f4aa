#pragma once

#include <optional>

#include <QDialog>

#include "drill/drillstarter.h"

namespace kvr::ui {

// "回答方法の選択": five mode buttons, each with a line saying what the mode asks. A button
// ends the dialog with its mode choice number (0 和英入力, 1 SpeedReply, 2 英和４択,
// 3 英和入力, 4 和英４択); the buttons stand in another order.
class CTransModeDlg final : public QDialog
{
    Q_OBJECT
public:
    explicit CTransModeDlg(QWidget *parent = nullptr);

    int mode() const { return m_mode; } // after Accepted

private:
    int m_mode = 0;
};

// Runs the dialog: the mode choice number, or nothing when cancelled.
std::optional<int> chooseMode(QWidget *parent);

// The drill starter's mode question as the dialog, over parent.
class CQtModeChooser final : public IModeChooser
{
public:
    explicit CQtModeChooser(QWidget *parent)
        : m_parent(parent)
    {
    }
    std::optional<int> chooseMode() override { return ui::chooseMode(m_parent); }

private:
    QWidget *m_parent;
};

} // namespace kvr::ui
