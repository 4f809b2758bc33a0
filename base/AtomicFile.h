// Writing a whole file so that nobody ever sees a part of it: the bytes go to a
// temporary file beside the destination, reach the disk, and the temporary is
// then renamed over the destination.
#pragma once
#include <cstddef>
#include <string>

namespace qel {

// Writes `size` bytes to `path` (a narrow path: the ANSI code page on Windows).
// On success the destination holds exactly the new bytes, replacing any file of
// that name. On failure the destination is left as it was, the temporary file
// is removed through the handle that made it, and `error` (when given) says
// which step failed and why ("Writing the temporary file failed: the disk is
// full (error 112)"). A read-only destination is refused. Temporaries are named
// "~qel<process>-<n>.tmp" and go where the destination goes, whatever the
// length of its path; no other file is ever removed, so one left by a writer
// that ended half way stays.
bool WriteFileReplacing(const std::string& path, const void* data, size_t size,
                        std::string* error = nullptr);

// A seam for tests: every later write has its system call number `step` fail
// (0 the first: creating the temporary, then writing, flushing and renaming
// it) as if the system had refused it; -1 ends this.
void FailWriteStep(int step);

} // namespace qel
