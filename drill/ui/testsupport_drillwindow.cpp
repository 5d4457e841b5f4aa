#include "drill/ui/testsupport_drillwindow.h"

#include <QApplication>
#include <QFontMetrics>
#include <QInputMethodEvent>

#include "drill/ui/drillpainter.h"
#include "platform/cp932.h"
#include "platform/testsupport.h"
#include "platform/ui/qtext.h"

namespace kvr::session_test {

using kvr::ui::utext;

std::string sourceFile(const char *relative)
{
    return qEnvironmentVariable("KVR_TEST_SOURCE_DIR").toStdString() + "/" + relative;
}

std::vector<std::string> words()
{
    return { questionLine(sj("りんご"), { "apple", "an apple" }, { sj("赤い果物") }),
             questionLine(sj("走る"), { "run" }), questionLine(sj("美しい"), { "beautiful" }),
             questionLine(sj("図書館"), { "library" }) };
}

void sendPreedit(QWidget *target, const QString &text)
{
    QInputMethodEvent event(text, {});
    QApplication::sendEvent(target, &event);
}

void expectNothingOverlaps(const WindowRig &rig)
{
    QList<QWidget *> shown;
    for (QWidget *w : rig.dlg->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (w->isVisible() && w->objectName() != QLatin1String("infoGroup"))
            shown << w;
    }
    const QRect group = rig.widget<QWidget>("infoGroup")->geometry();
    for (int i = 0; i < shown.size(); ++i) {
        const bool inGroup = group.contains(shown[i]->geometry());
        QVERIFY2(inGroup || !group.intersects(shown[i]->geometry()),
                 qPrintable(shown[i]->objectName()));
        for (int j = i + 1; j < shown.size(); ++j) {
            QVERIFY2(!shown[i]->geometry().intersects(shown[j]->geometry()),
                     qPrintable(shown[i]->objectName() + " / " + shown[j]->objectName()));
        }
    }
    const CSkin &skin = rig.dlg->skin();
    const QRect text = QFontMetrics(ui::passListTitleFont(skin)).boundingRect(utext("回答状況"));
    QVERIFY(skin.ReplyInfo_ReplyInfo_pos.x + text.width() < skin.PaddingX_n - 1);
}

} // namespace kvr::session_test
