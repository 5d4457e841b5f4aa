#pragma once

#include <QDialog>

class QLabel;

namespace kvr::ui {

// The loading window: a drawn picture and one status line under it, no caption. It stays
// open (modally) while the start-up loader works and is closed by whoever runs it.
class CSplashDlg final : public QDialog
{
    Q_OBJECT
public:
    explicit CSplashDlg(QWidget *parent = nullptr);

    // The status line; an empty text hides it.
    void setStatus(const QString &text);
    QString status() const;

    // Escape and the window manager cannot close it: the loader decides when loading ends.
    void reject() override { }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QLabel *m_status;
};

} // namespace kvr::ui
