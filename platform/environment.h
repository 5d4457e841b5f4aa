#pragma once

#include <string>
#include <string_view>

// Facts about the user and the running program. Every text is CP932, like all text in
// memory.
namespace kvr::env {

#ifdef _WIN32
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif

// folder + separator + name; the separator is not doubled.
std::string joinPath(std::string_view folder, std::string_view name);

// The folder part of a path (without the trailing separator).
std::string parentFolder(std::string_view path);

std::string userName();
// The folder of the running program file, without a trailing separator.
std::string programFolder();
std::string desktopFolder();
std::string homeFolder();
std::string configHome(); // XDG_CONFIG_HOME or ~/.config
std::string dataHome(); // XDG_DATA_HOME or ~/.local/share
std::string runtimeFolder(); // XDG_RUNTIME_DIR, or a private folder under the temp dir

// Creates the folder and its parents; true when it exists afterwards.
bool makeFolders(std::string_view path);
bool copyFile(std::string_view from, std::string_view to);

} // namespace kvr::env
