#pragma once
// Writing a file so that what was written survives a crash of the program or of the system:
// each call returns only once the system has put the bytes on disk. One backend per system;
// failures come back as the <cerrno> code that names them, as OutputFile's do.

#include <cstddef>
#include <string>

namespace files {

// Appends all `size` bytes to the existing file `path` (UTF-8) and puts them on disk; 0 or
// the error code (ENOENT, and nothing created, when the file does not exist). A write that
// fails part-way is cut off again where it began, as far as the system allows, so a reader
// never meets half an append.
int AppendDurably(const std::string& path, const void* data, std::size_t size);

// Replaces the file `path` (or creates it) with the `size` bytes in one step: they are
// written to `path` + ".tmp" in the same directory, put on disk, renamed over `path`, and
// the directory put on disk, so after a crash the file holds either all the old bytes or
// all the new ones. 0 or the error code; on failure `path` is untouched and the temporary
// file removed.
int ReplaceAtomically(const std::string& path, const void* data, std::size_t size);

// The temporary file ReplaceAtomically writes beside `path`.
std::string ReplacementPath(const std::string& path);

}  // namespace files
