#pragma once

#include <QWidget>

class QComboBox;

namespace kvr::ui {

// The mode strip: "モード" and the list of the five modes. Choosing a mode reports its
// LogMode value; setting the shown mode from LogMode reports nothing.
class CLogmodeTabpage final : public QWidget
{
    Q_OBJECT
public:
    explicit CLogmodeTabpage(QWidget *parent = nullptr);

    void showLogMode(int logMode);
    QComboBox *list() const { return m_list; }

signals:
    void logModeChosen(int logMode);

private:
    QComboBox *m_list;
};

} // namespace kvr::ui
