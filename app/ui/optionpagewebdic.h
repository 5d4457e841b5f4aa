#pragma once

#include "app/ui/optionpage.h"

class QComboBox;
class QTreeWidget;

namespace kvr {
class IPrompter;
}

namespace kvr::ui {

// "Web辞書検索": the look-up sites with their check boxes, and the fields to add or change
// one.
class COptionpageWebdic final : public COptionPage
{
    Q_OBJECT
public:
    explicit COptionpageWebdic(IPrompter &prompter, QWidget *parent = nullptr);
    void collect(OptionsCopy &copy) const override;

protected:
    void load(const OptionsCopy &copy, const OptionsEnabling &enabling) override;

private:
    QWidget *buttons();
    void showRows(const WebDictionaryPage &page);

    IPrompter &m_prompter;
    QTreeWidget *m_list;
    QComboBox *m_type;
    QLineEdit *m_title;
    QLineEdit *m_head;
    QLineEdit *m_foot;
    std::vector<WebDictionary> m_shown; // the rows the list shows
};

} // namespace kvr::ui
