#include "drill/ui/drilldlg.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include "drill/drillsession.h"
#include "drill/drillwindow.h"
#include "drill/skinfit.h"
#include "drill/ui/answeredit.h"
#include "drill/ui/drillpainter.h"
#include "drill/ui/drillrunner.h"
#include "drill/ui/lastquestionmenu.h"
#include "drill/ui/questionlistdlg.h"
#include "drill/ui/skinmenu.h"
#include "platform/cp932.h"
#include "platform/dailybackup.h"
#include "platform/environment.h"
#include "platform/ui/guarded.h"
#include "platform/ui/qcolour.h"
#include "platform/ui/qtext.h"

namespace kvr::ui {

namespace {

bool isBKey(const QKeyEvent &event)
{
    return event.key() == Qt::Key_B
        && (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) != 0;
}

} // namespace

DrillKey drillKeyOf(const QKeyEvent &event)
{
    DrillKey key;
    const int code = event.key();
    switch (code) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        key.code = DrillKey::Enter;
        break;
    case Qt::Key_Escape:
        key.code = DrillKey::Escape;
        break;
    case Qt::Key_Backspace:
        key.code = DrillKey::Backspace;
        break;
    case Qt::Key_Space:
        key.code = DrillKey::Space;
        break;
    case Qt::Key_F2:
        key.code = DrillKey::F2;
        break;
    case Qt::Key_F5:
        key.code = DrillKey::F5;
        break;
    case Qt::Key_F7:
        key.code = DrillKey::F7;
        break;
    case Qt::Key_F8:
        key.code = DrillKey::F8;
        break;
    default:
        if (code >= Qt::Key_A && code <= Qt::Key_Z) {
            key.code = DrillKey::Letter;
            key.letter = static_cast<char>('A' + (code - Qt::Key_A));
        } else if (code >= Qt::Key_0 && code <= Qt::Key_9) {
            key.code = DrillKey::Digit;
            key.letter = static_cast<char>('0' + (code - Qt::Key_0));
        }
        break;
    }
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    key.ctrl = modifiers.testFlag(Qt::ControlModifier);
    key.alt = modifiers.testFlag(Qt::AltModifier);
    key.shift = modifiers.testFlag(Qt::ShiftModifier);
    return key;
}

void CDrillReportRelay::attach(CDrillDlg *window, IResultPresenter *presenter)
{
    m_window = window;
    m_presenter = presenter;
}

ReportAction CDrillReportRelay::showResultReport(const ResultReport &report)
{
    if (m_window)
        m_window->render();
    return m_presenter ? m_presenter->showResultReport(report) : ReportAction::Close;
}

CDrillDlg::CDrillDlg(CDrillSession &session, DrillWindowContext &context, const CSection &section,
                     QWidget *parent)
    : QDialog(parent)
    , m_session(session)
    , m_context(context)
    , m_section(section)
{
    setObjectName(QStringLiteral("drillDlg"));
    m_widgets = createDrillWidgets(this);
    m_widgets.input->setInputMethodAllowed(answerKeepsInputMethod(session.mode()));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, colorRefToQColor(m_context.settings.BackgroundColor));
    setPalette(palette);
    if (const auto opacity = drillWindowOpacity(m_context.settings.Opacity))
        setWindowOpacity(*opacity);
    connectControls();
    // Keys reach the session before any control handles them.
    for (QWidget *child : findChildren<QWidget *>())
        child->installEventFilter(this);
    m_skin.loadSkin(m_context.settings.SkinPath);
    layOut();
    render();
}

CDrillDlg::~CDrillDlg() = default;

template <typename Event> void CDrillDlg::forward(Event event)
{
    guarded(m_context.prompter, event);
    render();
    if (m_session.view().closed && isVisible())
        accept();
}

void CDrillDlg::connectControls()
{
    const DrillWidgets &w = m_widgets;
    connect(w.input, &QLineEdit::textEdited, this, [this](const QString &text) {
        // A character without a CP932 form is judged as "?", but never stored as one.
        forward([this, typed = cp932(text), storable = cp932Exact(text).has_value()] {
            m_session.setInput(typed, storable);
        });
    });
    connect(w.confirmButton, &QPushButton::clicked, this,
            [this] { forward([this] { m_session.confirm(); }); });
    connect(w.acceptButton, &QPushButton::clicked, this,
            [this] { forward([this] { m_session.acceptAsCorrect(); }); });
    connect(w.addAnswerButton, &QPushButton::clicked, this,
            [this] { forward([this] { m_session.addAnswerAsCorrect(); }); });
    connect(w.cancelButton, &QPushButton::clicked, this,
            [this] { forward([this] { m_session.cancel(); }); });
    connect(w.hintButton, &QPushButton::clicked, this,
            [this] { forward([this] { m_session.showHint(); }); });
    connect(w.lastQuestionButton, &QPushButton::clicked, this,
            [this] { openLastQuestionMenu(QCursor::pos()); });
    connect(w.menuButton, &QPushButton::clicked, this, [this] {
        openSkinMenu(m_widgets.menuButton->mapToGlobal(QPoint(0, m_widgets.menuButton->height())));
    });
    for (int row = 0; row < kChoiceCount; ++row) {
        connect(w.choiceButtons[row], &QPushButton::clicked, this,
                [this, row] { forward([this, row] { m_session.pickChoice(row); }); });
    }
}

void CDrillDlg::timerFired(int id)
{
    forward([this, id] { m_session.onTimer(id); });
}

void CDrillDlg::reject()
{
    forward([this] { m_session.cancel(); });
}

void CDrillDlg::layOut()
{
    const QSize available = screen()->availableGeometry().size();
    m_skin = fittedToScreen(m_skin, { available.width(), available.height() });
    const ClientSize size = drillClientSize(m_skin);
    setFixedSize(size.width, size.height);
    layoutDrillWidgets(m_widgets, m_skin, isChoiceMode(m_session.mode()));
    update();
}

void CDrillDlg::render()
{
    const DrillView view = m_session.view();
    renderDrillWidgets(m_widgets, view);
    if (!m_rendered || view.inputRevision != m_shown.inputRevision)
        m_widgets.input->setText(qtext(view.input.text));
    renderCaption(view);
    renderFocus(view);
    if (!m_rendered || paintedPartsDiffer(view, m_shown))
        update();
    m_shown = view;
    m_rendered = true;
}

void CDrillDlg::renderCaption(const DrillView &view)
{
    if (m_rendered && view.flashCount != m_shown.flashCount) {
        m_flashOn = !m_flashOn;
        QApplication::alert(this);
    } else if (view.state != DrillState::ShowingWrong) {
        m_flashOn = false;
    }
    setWindowTitle(qtext(m_flashOn ? flashedCaption(view.caption) : view.caption));
}

void CDrillDlg::renderFocus(const DrillView &view)
{
    if (m_rendered && view.focusRevision == m_shown.focusRevision)
        return;
    QWidget *target = nullptr;
    if (view.focus == DrillFocus::Input)
        target = m_widgets.input;
    else if (view.focus != DrillFocus::None)
        target = m_widgets.choiceButtons[static_cast<int>(view.focus)
                                         - static_cast<int>(DrillFocus::Choice1)];
    if (target)
        target->setFocus(Qt::OtherFocusReason);
}

void CDrillDlg::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintDrillView(painter, m_shown, m_skin, colorRefToQColor(m_context.settings.BackgroundColor));
}

bool CDrillDlg::event(QEvent *event)
{
    // Ctrl+B and Alt+B belong to the session, not to the button's mnemonic.
    if (event->type() == QEvent::ShortcutOverride && isBKey(*static_cast<QKeyEvent *>(event))) {
        event->accept();
        return true;
    }
    return QDialog::event(event);
}

bool CDrillDlg::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride && isBKey(*static_cast<QKeyEvent *>(event))) {
        event->accept();
        return true;
    }
    if (event->type() == QEvent::KeyPress)
        return handleKey(static_cast<QKeyEvent *>(event));
    return QDialog::eventFilter(watched, event);
}

void CDrillDlg::keyPressEvent(QKeyEvent *event)
{
    // A key a control left alone comes here after the filter has shown it to the session;
    // only a key sent to the window itself (no control focused) is new to it.
    QWidget *focused = focusWidget();
    const bool seen = focused && focused != this;
    if (seen || !handleKey(event))
        QDialog::keyPressEvent(event);
}

bool CDrillDlg::handleKey(QKeyEvent *event)
{
    const DrillKey key = drillKeyOf(*event);
    // The Enter that ends a composition is the input method's; a stray one while text is
    // still being composed must not confirm either.
    if (key.code == DrillKey::Enter && m_widgets.input->composing()) {
        event->accept();
        return true;
    }
    KeyAction action = KeyAction::PassOn;
    forward([this, &key, &action] { action = m_session.keyPress(key); });
    switch (action) {
    case KeyAction::PassOn:
        return false;
    case KeyAction::Consumed:
        break;
    case KeyAction::ReloadSkin:
        reloadSkin();
        break;
    case KeyAction::OpenPreview:
        openQuestionPreview();
        break;
    case KeyAction::OpenLastQuestionMenu:
        openLastQuestionMenu(mapToGlobal(QPoint(0, 0)));
        break;
    }
    event->accept();
    return true;
}

void CDrillDlg::openLastQuestionMenu(const QPoint &globalPos)
{
    if (!m_session.hasLastQuestion())
        return;
    CLastQuestionMenu menu(m_session.lastQuestionLine(), this);
    const std::optional<KeepTarget> target = menu.choose(globalPos);
    if (!target || m_session.view().closed)
        return;
    const CDailyBackup backup { m_context.clock, m_context.prompter };
    const KeepPlaces places { env::desktopFolder(), &m_context.database,
                              m_context.settings.DatabaseFilename, env::userName(), &backup };
    forward([this, &target, &places] { keepLastQuestion(m_session, *target, places); });
}

void CDrillDlg::openQuestionPreview()
{
    CQuestionListDlg dialog(m_section, QString(), m_context.prompter, m_context.fileDialogs, this);
    dialog.exec();
}

void CDrillDlg::contextMenuEvent(QContextMenuEvent *event)
{
    openSkinMenu(event->globalPos());
}

void CDrillDlg::openSkinMenu(const QPoint &globalPos)
{
    CSkinMenu menu(m_context.settings.SkinPath, this);
    runMenuChoice(menu.choose(globalPos));
}

void CDrillDlg::runMenuChoice(const DrillMenuChoice &choice)
{
    switch (choice.command) {
    case DrillMenuChoice::None:
        return;
    case DrillMenuChoice::ReloadSkin:
        reloadSkin();
        return;
    case DrillMenuChoice::ChooseSkin:
        applySkin(choice.path);
        return;
    case DrillMenuChoice::ChooseSkinFile:
        chooseSkinFile();
        return;
    case DrillMenuChoice::About:
        m_context.prompter.ask(drillAboutMessage());
        return;
    }
}

void CDrillDlg::reloadSkin()
{
    m_skin.loadSkin(m_context.settings.SkinPath);
    layOut();
    render();
}

void CDrillDlg::applySkin(const std::string &path)
{
    chooseSkin(m_context.settings, m_context.store, m_skin, path);
    layOut();
    render();
}

void CDrillDlg::chooseSkinFile()
{
    const std::optional<std::string> path =
        m_context.fileDialogs.askPath(skinFileRequest(m_context.settings.SkinPath));
    if (path)
        applySkin(*path);
}

} // namespace kvr::ui
