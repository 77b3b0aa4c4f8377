#pragma once
// Drops of files as shells deliver them: an HDROP in global memory, sent
// with WM_DROPFILES, or handed over by an OLE drag.

#include <windows.h>
#include <ole2.h>
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

struct TOleDragResult {
  HRESULT Result = E_FAIL;         // what DoDragDrop answered
  DWORD Effect = DROPEFFECT_NONE;  // the effect of the drop
  std::vector<DWORD> EffectsShown; // what the target answered while dragging
};
// Drags a data object that offers the drop (CF_HDROP in global memory; a
// copy of it each time it is asked for) or, for a null drop, nothing the
// panel takes, with the system's OLE drag loop, from the pointer placed at
// screen to a drop there. The drop memory is freed afterwards.
TOleDragResult OleDragAndDrop(POINT screen, HDROP drop, DWORD allowed = DROPEFFECT_COPY);

} // namespace testutil
