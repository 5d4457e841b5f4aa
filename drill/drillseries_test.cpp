#include <gtest/gtest.h>

#include "drill/testsupport_drillstart.h"
#include "drill/testsupport_session.h"

namespace kvr::session_test {
namespace {

struct SeriesRig : DrillRig
{
    SeriesRig()
    {
        CFolder &folder = root.addFolder();
        folder.name = "Folder";
        CSection &words = folder.addSection();
        words.name = "Words";
        words.lines = simpleQuestions(50);
        settings.ShowConfirmOrderDlg = false;
    }
    ~SeriesRig() { EXPECT_TRUE(dialogs.asked.empty()); }

    // Sets a drill of 20 up as the main window does and opens it.
    void startDrill(bool sequential)
    {
        settings.IsSequencial = sequential;
        const DrillStartRequest request {
            "Folder/Words", DrillMode::JapaneseToEnglishTyped, 20, {}
        };
        const DrillStart start = kvr::startDrill(request, root, log, settings, dialogs, clock);
        ASSERT_EQ(start.outcome, DrillStartOutcome::Ready);
        this->start(start.setup);
        ASSERT_TRUE(awaitingAnswer());
    }

    // Answers every question right until the drill closes; the positions asked.
    std::vector<int> answerAll()
    {
        std::vector<int> asked;
        while (!view().closed && asked.size() < 100) {
            const int position = std::stoi(view().questionLines[0].substr(1));
            asked.push_back(position);
            answerAndWait("a" + std::to_string(position));
        }
        return asked;
    }

    CFolder root;
    // The order and count come from the settings and the request: no dialog is asked.
    test::ScriptedStartPrompter dialogs;
};

std::vector<int> positions(int from, int to)
{
    std::vector<int> result;
    for (int p = from; p < to; ++p)
        result.push_back(p);
    return result;
}

TEST(DrillSeries, ADrillLeftUnrecordedLosesNoProgressOfTheSeries)
{
    SeriesRig rig;
    rig.startDrill(true);
    EXPECT_EQ(rig.answerAll(), positions(0, 20));
    ASSERT_EQ(rig.record()->seriesDone, 20);

    // A random drill would start a new series; left on its first question, it records
    // nothing and the sequential series stays where it was.
    rig.startDrill(false);
    rig.session().confirm("Exit");
    ASSERT_TRUE(rig.view().closed);
    EXPECT_EQ(rig.record()->seriesDone, 20);
    EXPECT_EQ(rig.record()->seriesSeed, 0u);

    rig.startDrill(true);
    EXPECT_EQ(rig.answerAll(), positions(20, 40));
    EXPECT_EQ(rig.record()->seriesDone, 40);

    // A random drill that runs to its end starts its series from zero.
    rig.clock.epoch += 1000;
    rig.startDrill(false);
    EXPECT_EQ(rig.answerAll().size(), 20u);
    EXPECT_EQ(rig.record()->seriesDone, 20);
    EXPECT_NE(rig.record()->seriesSeed, 0u);
}

} // namespace
} // namespace kvr::session_test
