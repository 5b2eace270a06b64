#pragma once
// Replacing a file so that a failure at any point leaves the old file as it was.

#include <cstddef>
#include <cstdint>
#include <string>

namespace groupdata {

// Writes data to a new temporary file in path's folder, flushes it to the disk
// and renames it over path. Returns false, with the temporary file removed and
// path untouched, when any step fails (including a short write). A path that
// names something other than a regular file (a folder, a device, a pipe) is
// refused before anything is opened; a symbolic link is followed, so the link
// stays and its target is replaced.
//
// When the folder refuses new files (a shared or read-only folder) but path is
// an existing regular file we may write, the file is written in place instead,
// flushed and checked like the temporary file. That cannot be atomic: should a
// write fail halfway the old bytes are put back where possible, but callers
// keep a copy of the file before the first save of a run. A file whose own
// mode forbids writing is refused.
//
// Each call also removes the temporary files earlier calls for the same path
// left behind when their process was killed.
bool replaceFileAtomically(const std::string& path, const std::uint8_t* data, std::size_t size);

} // namespace groupdata
