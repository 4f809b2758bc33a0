// Writing a whole file so that nobody ever sees a part of it: the bytes go to a
// temporary file beside the destination, which is then renamed over it.
#pragma once
#include <cstddef>
#include <string>

namespace qel {

// Writes `size` bytes to `path` (a narrow path: the ANSI code page on Windows).
// On success the destination holds exactly the new bytes, replacing any file of
// that name. On failure the destination is left as it was, no temporary file
// remains, and `error` (when given) says what failed.
bool WriteFileReplacing(const std::string& path, const void* data, size_t size,
                        std::string* error = nullptr);

} // namespace qel
