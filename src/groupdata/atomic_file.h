#pragma once
// Replacing a file so that a failure at any point leaves the old file as it was.

#include <cstddef>
#include <cstdint>
#include <string>

namespace groupdata {

// Writes data to a new temporary file in path's folder, flushes it to the disk
// and renames it over path. Returns false, with the temporary file removed and
// path untouched, when any step fails (including a short write). A path that
// names something other than a regular file (a folder, a device) is refused;
// a symbolic link is followed, so the link stays and its target is replaced.
bool replaceFileAtomically(const std::string& path, const std::uint8_t* data, std::size_t size);

} // namespace groupdata
