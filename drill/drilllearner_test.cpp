// The drill's helps for learners: full-width typing read as half-width.
#include <gtest/gtest.h>

#include "drill/testsupport_session.h"
#include "platform/cp932.h"

namespace kvr::session_test {
namespace {

using cp932::text;

const std::string kWidthNotice = text("全角で入力されています（IMEがオンのままです）");

TEST(DrillWidthFolding, AFullWidthAnswerIsRightWithTheNoticeOnlyWhenSwitchedOn)
{
    for (const bool fold : { true, false }) {
        DrillRig rig;
        rig.settings.FoldFullWidth = fold;
        rig.start(setupOf(simpleQuestions(2)));
        ASSERT_TRUE(rig.awaitingAnswer());
        rig.session().confirm(text("ａ０　"));
        EXPECT_EQ(rig.view().state, fold ? DrillState::ShowingCorrect : DrillState::ShowingWrong);
        EXPECT_EQ(rig.view().notice, fold ? kWidthNotice : "");
        EXPECT_EQ(rig.view().correctNow.value, fold ? 1 : 0);
        if (fold) { // the notice goes like every notice
            ASSERT_TRUE(rig.timers.fire(TIMER_NOTICE));
            EXPECT_EQ(rig.view().notice, "");
        }
    }
}

TEST(DrillWidthFolding, TheCorrectionAcceptsTheFoldedAnswerWithTheNotice)
{
    DrillRig rig;
    rig.start(setupOf(simpleQuestions(2)));
    ASSERT_TRUE(rig.awaitingAnswer());
    rig.session().confirm("x");
    ASSERT_TRUE(rig.awaitingAnswer());
    ASSERT_EQ(rig.view().state, DrillState::Correcting);
    EXPECT_EQ(rig.view().notice, "");
    rig.session().confirm(text("ａ０"));
    EXPECT_EQ(rig.view().feedback, text("はい、ごくろうさま！"));
    EXPECT_EQ(rig.view().notice, kWidthNotice);
    EXPECT_EQ(rig.view().incorrectNow.value, 1); // the correction changes no result
}

} // namespace
} // namespace kvr::session_test
