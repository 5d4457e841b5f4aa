#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kvr {

// One entry of a file dialog's type list, e.g. { "Kvr Files(*.kvr)", "*.kvr" }.
struct FileFilter
{
    std::string label; // CP932
    std::string pattern;

    bool operator==(const FileFilter &) const = default;
};

enum class FileDialogMode { Open, Save, Folder };

// What a file dialog shows. Texts and paths are CP932.
struct FileRequest
{
    FileDialogMode mode = FileDialogMode::Open;
    std::string title;
    std::vector<FileFilter> filters; // empty: every file
    std::string defaultExtension; // added to a name typed without one (no dot); empty: none
    std::string startFolder; // empty: the folder of proposedName, else the window's choice
    std::string proposedName; // a file name or a whole path, offered selected; may be empty
    bool mustExist = false; // an open dialog that takes only an existing file

    bool operator==(const FileRequest &) const = default;
};

// Every file, save and folder dialog of the programs. A chosen path is always one CP932 can
// hold: the dialog itself refuses any other with one message and asks again, since a path
// kept as CP932 that lost a character could never be opened again.
class IFileDialogs
{
public:
    virtual ~IFileDialogs() = default;
    // The chosen path, or nothing when the dialog was cancelled.
    virtual std::optional<std::string> askPath(const FileRequest &request) = 0;
};

} // namespace kvr
