#pragma once

#include <string>
#include <vector>

#include "app/skinlist.h"
#include "app/ui/optionpage.h"

class QListWidget;

namespace kvr::ui {

// "画面デザイン": the skin file, chosen from the skins beside the current one or browsed
// for, with the window size and titles of the chosen skin.
class COptionpageSkin final : public COptionPage
{
    Q_OBJECT
public:
    explicit COptionpageSkin(QWidget *parent = nullptr);
    void collect(OptionsCopy &copy) const override;

protected:
    void load(const OptionsCopy &copy, const OptionsEnabling &enabling) override;

private:
    void fillList(const std::string &skinPath);
    void showInformation(const std::string &skinPath);
    QLineEdit *infoField(const char *name);

    QListWidget *m_list;
    QLineEdit *m_skinPath;
    QLineEdit *m_width;
    QLineEdit *m_height;
    QLineEdit *m_answerTitle;
    QLineEdit *m_questionTitle;
    SkinList m_skins; // the list's rows
    std::string m_informed; // the path the information fields were last read for
    bool m_filled = false;
};

} // namespace kvr::ui
