// The editor's window on the large database: selecting a collection of 5,000 questions and
// a keystroke in its question field, each until the window has painted, against the same on
// a collection of ten (offscreen).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>

#include "app/ui/databasetreewidget.h"
#include "bench/editorbench.h"
#include "editor/ui/editordlg.h"
#include "editor/ui/editorwindowactions.h"
#include "platform/shell.h"

namespace {

using kvr::bench::EditorBench;

class CNoShell final : public kvr::IShell
{
public:
    bool openAddress(const std::string &) override { return false; }
    bool openFile(const std::string &) override { return false; }
    bool startDetached(const std::string &, const std::vector<std::string> &,
                       const std::string &) override
    {
        return false;
    }
};

class CNoActions final : public kvr::ui::IEditorWindowActions
{
public:
    void showHelp(QWidget *) override { }
    void openHomePage() override { }
    void showAbout(QWidget *) override { }
};

struct WindowBench
{
    EditorBench data;
    CNoShell shell;
    CNoActions actions;
    kvr::ui::CEditorDlg window { kvr::ui::EditorWindowContext { *data.session, data.prompter, shell,
                                                                actions, false } };
    kvr::ui::CDatabaseTreeWidget *tree = window.findChild<kvr::ui::CDatabaseTreeWidget *>();

    WindowBench()
    {
        window.show();
        QApplication::processEvents();
    }

    // As a click on the tree does it, then the whole window painted.
    void select(const std::string &path)
    {
        tree->selectChain(kvr::findNodeByPath(tree->tree(), path));
        window.repaint();
    }
};

WindowBench &bench()
{
    static WindowBench b;
    return b;
}

void selectBackAndForth(benchmark::State &state, const std::string &path)
{
    WindowBench &b = bench();
    for (auto _ : state) {
        state.PauseTiming();
        b.select("small2");
        state.ResumeTiming();
        b.select(path);
    }
}

void BM_SelectSmallCollection(benchmark::State &state)
{
    selectBackAndForth(state, "small");
}
void BM_SelectLargeCollection(benchmark::State &state)
{
    selectBackAndForth(state, "large");
}

void typeInto(benchmark::State &state, const std::string &path)
{
    WindowBench &b = bench();
    b.select(path);
    auto *field = b.window.findChild<QWidget *>(QStringLiteral("questionField"));
    field->setFocus();
    int typed = 0;
    for (auto _ : state) {
        const bool erase = ++typed % 40 == 0;
        const QString text = erase ? QString() : QStringLiteral("a");
        const int key = erase ? Qt::Key_Backspace : Qt::Key_A;
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
        QApplication::sendEvent(field, &press);
        QApplication::sendEvent(field, &release);
        b.window.repaint();
    }
    b.data.session->run(kvr::EditorCommand::Save);
}

void BM_KeystrokeSmallCollection(benchmark::State &state)
{
    typeInto(state, "small");
}
void BM_KeystrokeLargeCollection(benchmark::State &state)
{
    typeInto(state, "large");
}

} // namespace

BENCHMARK(BM_SelectSmallCollection)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelectLargeCollection)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KeystrokeSmallCollection)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KeystrokeLargeCollection)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
