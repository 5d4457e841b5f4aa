#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "db/questiondatabase.h"

// Operations that change the shape of the folder / collection tree, and the path arithmetic
// they share.
namespace kvr {

// Removes the first collection (deleteSection) or folder (deleteFolder) named by the path's
// last name from the folder named by the part before its last "/" (the start folder when the
// path has no "/"); the node and everything below it are destroyed. False when nothing
// matched. A missing parent folder raises KvrError
// "error (" + look-up text + "(in deleteSection " + path + " )" (or "(in deleteFolder ").
bool deleteSection(CFolder &root, std::string_view path);
bool deleteFolder(CFolder &root, std::string_view path);

// Replaces the target's name, header and lines (or entries, deeply copied) with the
// source's. Safe when one of the two lies inside the other.
void copySectionInto(CSection &target, const CSection &source);
void copyFolderInto(CFolder &target, const CFolder &source);

// The wanted path when no node of that kind is there, else the first free
// wanted + " (n)" for n = 1 … 99; nothing when all of them are taken. A folder and a
// collection never block each other.
std::optional<std::string> makeUniqueName(const CFolder &root, std::string_view wantedPath,
                                          EntryKind kind);

bool hasNode(const CFolder &root, std::string_view path, EntryKind kind);

// Path arithmetic: the part before the last "/" (empty at the root) and the last name.
std::string_view parentPathOf(std::string_view path);
std::string_view lastNameOf(std::string_view path);
// name under the folder at parentPath (the root when parentPath is empty).
std::string childPath(std::string_view parentPath, std::string_view name);

// True when node is folder itself or lies anywhere below it.
bool isWithinFolder(const CFolder &folder, const CFolder &node);

// A node name as the tree and the history log can hold it: every "/" becomes the full-width
// "／" and every '"' the full-width "＂".
std::string nodeNameFrom(std::string_view text);

} // namespace kvr
