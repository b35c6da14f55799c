#pragma once
// What durable_file needs of the system beyond OutputFile: one backend per system, each
// failure its <cerrno> code.

#include <string>

namespace files {

// Has the system put the file `path` (UTF-8) on disk: its bytes and its size.
int SyncFileToDisk(const std::string& path);
// Has the system put the directory holding `path` on disk (its entries, as after a rename);
// 0 where the system keeps no such separate state or cannot sync a directory.
int SyncDirectoryOfToDisk(const std::string& path);
// Renames `from` to `to`, replacing a file there in one step.
int RenameReplacing(const std::string& from, const std::string& to);

}  // namespace files
