#pragma once

#include <functional>
#include <string_view>

#include "db/questiondatabase.h"

namespace kvr {

class CDailyBackup;

// One change of the database file made while the other program may have saved it: under
// the file's lock the file is read afresh (a missing file starts from a copy of
// whenMissing), the change is made on that copy and the file is replaced atomically. A file
// that is there but does not read is left alone. The change returns false to refuse (the
// copy is then not written). A backup given is taken first, outside the lock.
enum class DatabaseUpdate { Saved, Refused, Unreadable, WriteFailed };
DatabaseUpdate changeDatabaseFile(std::string_view path, const CQuestionDatabase &whenMissing,
                                  const std::function<bool(CQuestionDatabase &)> &change,
                                  const CDailyBackup *backup);

} // namespace kvr
