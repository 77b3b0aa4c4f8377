#pragma once
// A drop of files as the shell delivers it: an HDROP in global memory.

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <string>
#include <vector>

namespace testutil {

// Wide paths, as the shell of a Unicode system builds them; the receiver
// reads them with DragQueryFileA or W. The receiver frees the memory with
// DragFinish.
HDROP MakeDrop(const std::vector<std::wstring>& paths);
// ANSI paths (bytes in the system code page), as older shells build them.
HDROP MakeAnsiDrop(const std::vector<std::string>& paths);
// Memory holding exactly these bytes, for drops of shapes no shell writes.
HDROP MakeDropBytes(const std::string& bytes);
// The bytes of a drop's header with these two fields.
std::string DropHeader(DWORD filesOffset, BOOL wide);
// The names of a list, each ended by a zero character, and the empty name
// that ends the list; in two-byte characters when wide.
std::string DropNames(const std::vector<std::wstring>& paths, bool wide);

} // namespace testutil
