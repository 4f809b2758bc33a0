// Processing of pending window messages from inside a running handler.
#pragma once

namespace qel {

// Dispatches every message waiting for the calling thread, then returns (the
// forms runtime's DoEvents). A quit request is put back for the main loop.
void DoEvents();

} // namespace qel
