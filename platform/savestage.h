#pragma once

// The moments of a whole-file replace (replaceFileAtomically) at which a test may stop the
// saving process, so that a kill lands on each of them for certain rather than by chance.
namespace kvr {

enum class SaveStage {
    Created, // the temporary file exists, still empty
    Written, // the new content is written to it, not yet synced
    Flushed, // it is synced and closed, not yet renamed
    Renamed, // it has replaced the target; the folder is not yet synced
};
inline constexpr int kSaveStageCount = 4;

// Called in the saving process at each stage of every replace. Only tests set one (in a
// child they kill); nullptr removes it.
using SaveStageHook = void (*)(SaveStage stage, void *context);
void setSaveStageHook(SaveStageHook hook, void *context);

} // namespace kvr
