// Writing a whole file so that nobody ever sees a part of it: the bytes go to a
// temporary file beside the destination, reach the disk, and the temporary is
// then renamed over the destination.
#pragma once
#include <cstddef>
#include <string>

namespace qel {

// Writes `size` bytes to `path` (a narrow path: the ANSI code page on Windows).
// On success the destination holds exactly the new bytes, replacing any file of
// that name. On failure the destination is left as it was, no temporary file
// remains, and `error` (when given) says what failed. A read-only destination
// is refused. Temporaries are named "~qel<process>-<n>.tmp" and go where the
// destination goes, whatever the length of its path.
bool WriteFileReplacing(const std::string& path, const void* data, size_t size,
                        std::string* error = nullptr);

// Removes from `folder` (empty, or ending in a separator) the temporaries that
// writers which ended half way left: plain files named exactly as above, made
// by a process that has ended and unchanged for an hour. Only for folders of
// the program's own: under Wine a link to another file looks like a plain file,
// and removing it removes that file.
void RemoveStaleTemporaries(const std::string& folder);

// A seam for tests: every later write has its system call number `step` fail
// (0 the first: creating the temporary, then writing, flushing, closing and
// renaming it) as if the system had refused it; -1 ends this.
void FailWriteStep(int step);

} // namespace qel
