#pragma once

#include <string>
#include <vector>

namespace kvr {

// What the programs hand to the desktop: addresses for the browser, files for the program
// the desktop associates with them, and other programs started without waiting. Paths are
// CP932 like all other text.
class IShell
{
public:
    virtual ~IShell() = default;
    // Opens an address (ASCII, percent-encoded) in the user's browser; one that is not a
    // strictly encoded absolute address is refused. True when the desktop took it.
    virtual bool openAddress(const std::string &address) = 0;
    // Opens a file with its program. True when the desktop took it.
    virtual bool openFile(const std::string &path) = 0;
    // Starts a program in folder (empty: the current one) and returns at once; its output
    // is dropped and its end not watched. True when it started.
    virtual bool startDetached(const std::string &program,
                               const std::vector<std::string> &arguments,
                               const std::string &folder) = 0;
};

} // namespace kvr
