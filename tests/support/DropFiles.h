#pragma once
// A drop of files as the shell delivers it: an HDROP in global memory.

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace testutil {

// Wide paths, as the shell of a Unicode system builds them; the receiver
// reads them with DragQueryFileA or W. The receiver frees the memory with
// DragFinish.
HDROP MakeDrop(const std::vector<std::wstring>& paths);

} // namespace testutil
