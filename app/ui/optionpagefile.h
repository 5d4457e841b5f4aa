#pragma once

#include "app/ui/optionpage.h"

namespace kvr::ui {

// "ファイル": the database, the answer history, the web-dictionary file and the folder of
// the recorded voices.
class COptionpageFile final : public COptionPage
{
    Q_OBJECT
public:
    explicit COptionpageFile(QWidget *parent = nullptr);
    void collect(OptionsCopy &copy) const override;

protected:
    void load(const OptionsCopy &copy, const OptionsEnabling &enabling) override;

private:
    struct Row
    {
        std::string OptionsCopy::*value;
        const char *label; // UTF-8
        QLineEdit *field = nullptr;
    };
    std::vector<Row> m_rows;
};

} // namespace kvr::ui
