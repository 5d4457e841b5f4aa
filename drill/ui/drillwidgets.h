#pragma once

#include <array>

#include "drill/drillsession.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QWidget;

namespace kvr {
struct CSkin;
struct DrillView;
} // namespace kvr

namespace kvr::ui {

class CAnswerEdit;

// The controls of the drill window, each named (objectName) after the field of the view
// record it shows.
struct DrillWidgets
{
    CAnswerEdit *input = nullptr;
    QPushButton *confirmButton = nullptr; // "これでよい"
    QPushButton *acceptButton = nullptr; // "正解にする(&O)"
    QPushButton *addAnswerButton = nullptr; // "この答えも正解に追加(&A)"
    QPushButton *cancelButton = nullptr; // "逃げる"
    QPushButton *hintButton = nullptr; // "ヒント(&G)"
    QLineEdit *hintField = nullptr;
    QPushButton *lastQuestionButton = nullptr; // "さっきの問題を...(&B)"
    QPushButton *menuButton = nullptr; // "メニュー": the skin menu
    QLineEdit *answerDisplay = nullptr;
    std::array<QPushButton *, kChoiceCount> choiceButtons {}; // "&1".."&4"
    std::array<QLineEdit *, kChoiceCount> choiceFields {};
    QProgressBar *progress = nullptr;
    QProgressBar *limitBar = nullptr; // "TransLimitBar", 0…1000

    QLabel *instruction = nullptr; // the top line …
    QLabel *notice = nullptr; // … or, in blue, the notice while one is shown
    QLabel *feedback = nullptr;
    QLabel *typingSpeed = nullptr;

    QGroupBox *infoGroup = nullptr; // "回答情報"
    std::array<QLabel *, 4> infoLabels {}; // "全問題数", "残り問題数", "正解数", "不正解数"
    QLabel *allQuestions = nullptr;
    QLabel *remaining = nullptr;
    QLabel *correctNow = nullptr;
    QLabel *incorrectNow = nullptr;
    QLabel *correctTotal = nullptr;
    QLabel *incorrectTotal = nullptr;
};

// Creates the controls as children of parent.
DrillWidgets createDrillWidgets(QWidget *parent);

// Moves every control to its rectangle of the skin (the hint controls where
// hintPlacement() puts them for the mode).
void layoutDrillWidgets(const DrillWidgets &widgets, const CSkin &skin, bool choiceMode);

// Shows the view on the controls: visibility, enabling, texts, colours and the two bars.
// The input text and the focus are the dialog's (they follow their revisions).
void renderDrillWidgets(const DrillWidgets &widgets, const DrillView &view);

} // namespace kvr::ui
