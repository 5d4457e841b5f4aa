// KvrEditor, the question editor. Everything Qt lives in editor/ui, so this stays a plain call.
#include "editor/ui/editormain.h"

int main(int argc, char *argv[])
{
    return kvr::ui::runQuestionEditor(argc, argv);
}
