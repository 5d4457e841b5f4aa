// Kvr, the study program. Everything Qt lives in app/ui, so this stays a plain call.
#include "app/ui/kvrmain.h"

int main(int argc, char *argv[])
{
    return kvr::ui::runStudyProgram(argc, argv);
}
