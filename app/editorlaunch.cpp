#include "app/editorlaunch.h"

#include "platform/cp932.h"
#include "platform/environment.h"
#include "platform/namedmutex.h"
#include "platform/prompter.h"
#include "platform/shell.h"
#include "platform/textfile.h"
#include "platform/textformat.h"

namespace kvr {

bool startEditor(IShell &shell, IPrompter &prompter, const std::string &programFolder)
{
    const std::string program = env::joinPath(programFolder, kEditorProgramName);
    if (shell.startDetached(program, {}, programFolder))
        return true;
    // Asked only after the failure, so the message names what went wrong this time.
    const char *text = fileExists(program)
        ? "問題エディタ KvrEditor を起動できませんでした。\n%s\n\n"
          "ファイルに実行の許可があるか確かめてください。"
        : "問題エディタ KvrEditor が見つかりませんでした。\n%s\n\n"
          "Kvr と同じフォルダに KvrEditor を置いてください。";
    prompter.tell(formatText(cp932::text(text), program.c_str()), {}, Icon::Warning);
    return false;
}

bool editorIsRunning(const std::string &marker)
{
    CNamedMutex probe;
    if (!probe.acquire(marker))
        return true;
    probe.release();
    return false;
}

} // namespace kvr
