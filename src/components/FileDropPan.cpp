#include "components/FileDropPan.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstdint>
#include <cstring>
#include <optional>

static void SetupFileDropPan(TClassInfo& c) {
  c.Props.push_back(EventProp("OnDragFile", &TAIFileDropPan::OnDragFile));
  auto accept = BoolProp<TAIFileDropPan>(
      "AcceptFile", [](TAIFileDropPan* o) { return o->AcceptFile(); },
      [](TAIFileDropPan* o, bool v) { o->SetAcceptFile(v); });
  accept.Stored = [](TObject*) { return true; };
  c.Props.push_back(accept);
}
FW_CLASS_IMPL(TAIFileDropPan, TPanel, CreateComponentOf<TAIFileDropPan>, SetupFileDropPan)

namespace {

TWinControl* ParentFromOwner(TComponent* owner) {
  auto* parent = As<TWinControl>(owner);
  if (!parent) throw EFrameworkError("Invalid class typecast");
  return parent;
}

// A drop's memory, locked while it is read. Empty when the handle is no
// memory block of this process: Wine's bridge for X11 drags posts a handle
// made in another process, and reading through it kills the program.
class TDropMemory {
public:
  explicit TDropMemory(HGLOBAL mem) : FMem(mem), FSize(mem ? GlobalSize(mem) : 0) {
    if (FSize) FBase = static_cast<const std::uint8_t*>(GlobalLock(mem));
  }
  ~TDropMemory() {
    if (FBase) GlobalUnlock(FMem);
  }
  TDropMemory(const TDropMemory&) = delete;
  TDropMemory& operator=(const TDropMemory&) = delete;
  explicit operator bool() const { return FBase != nullptr; }
  HGLOBAL Handle() const { return FMem; }
  const std::uint8_t* Base() const { return FBase; }
  std::size_t Size() const { return FSize; }

private:
  HGLOBAL FMem;
  std::size_t FSize;
  const std::uint8_t* FBase = nullptr;
};

// Where each name of a drop's list lies, found the way the shell's own
// reading walks it (the list starts at pFiles; fWide, when not zero, means
// two-byte characters; an empty name ends it).
struct TDropList {
  struct TName {
    std::size_t Offset, Bytes;
  };
  std::vector<TName> Names;
  bool Wide = false;
  // The header shells write: the list after it, the flag 0 or 1. Other
  // shapes are left to the shell's reading.
  bool Standard = false;
};

bool IsZeroChar(const std::uint8_t* p, std::size_t unit) {
  return p[0] == 0 && (unit == 1 || p[1] == 0);
}

// Nothing when the header or any name, with its end, does not lie inside the
// memory: no reading may then go near it.
std::optional<TDropList> FindDropList(const TDropMemory& mem) {
  if (mem.Size() < sizeof(DROPFILES)) return std::nullopt;
  DROPFILES header;
  std::memcpy(&header, mem.Base(), sizeof header);
  if (header.pFiles >= mem.Size()) return std::nullopt;
  TDropList list;
  list.Wide = header.fWide != 0;
  list.Standard = header.pFiles >= sizeof(DROPFILES) && (header.fWide == 0 || header.fWide == 1);
  const std::size_t unit = list.Wide ? 2 : 1;
  for (std::size_t at = header.pFiles;;) {
    const std::size_t start = at;
    while (at + unit <= mem.Size() && !IsZeroChar(mem.Base() + at, unit))
      at += unit;
    if (at + unit > mem.Size()) return std::nullopt; // no terminator: not a drop list
    if (at == start) break;
    list.Names.push_back({start, at - start});
    at += unit;
  }
  return list;
}

// The paths in one pass over the memory. Asking the shell for each path by
// its index walks the list from its start every time, which takes seconds
// for ten thousand files; the result is the same: each path in the ANSI code
// page, as the shell's ANSI query gives it, never cut.
std::vector<std::string> ReadNames(const TDropMemory& mem, const TDropList& list) {
  std::vector<std::string> paths;
  paths.reserve(list.Names.size());
  for (const auto& name : list.Names) {
    const auto* start = mem.Base() + name.Offset;
    if (list.Wide) {
      std::wstring wide(name.Bytes / 2, L'\0');
      std::memcpy(wide.data(), start, name.Bytes);
      paths.push_back(WideToAnsi(wide));
    } else {
      paths.emplace_back(reinterpret_cast<const char*>(start), name.Bytes);
    }
  }
  return paths;
}

// The same through the shell's queries, for lists of other shapes. The
// length is asked first, so no path is ever cut.
std::vector<std::string> QueryDropPaths(HDROP drop) {
  std::vector<std::string> paths;
  const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    UINT length = DragQueryFileA(drop, i, nullptr, 0);
    if (length == 0) continue; // some shells count one empty name in a drop of nothing
    std::string path(static_cast<std::size_t>(length) + 1, '\0');
    length = DragQueryFileA(drop, i, path.data(), length + 1);
    path.resize(length);
    paths.push_back(std::move(path));
  }
  return paths;
}

// The paths of a drop; none when its memory does not hold a well-formed list.
std::vector<std::string> ReadDropPaths(const TDropMemory& mem) {
  if (!mem) return {};
  const std::optional<TDropList> list = FindDropList(mem);
  if (!list) return {};
  // The shell's reading stays inside the memory: the list was found there.
  if (!list->Standard) return QueryDropPaths(static_cast<HDROP>(mem.Handle()));
  return ReadNames(mem, *list);
}

} // namespace

TAIFileDropPan::TAIFileDropPan(TComponent* owner) : TPanel(owner) {
  SetParent(ParentFromOwner(owner));
  SetAcceptFile(true);
}

TAIFileDropPan::~TAIFileDropPan() {
  DestroyingStarts();
  // Only a panel that has its window can be registered; asking for the
  // handle here would make a window for a panel on its way out.
  if (Parent() && FAcceptFile && HandleAllocated()) DragAcceptFiles(WindowHandle(), FALSE);
}

void TAIFileDropPan::SetAcceptFile(bool v) {
  FAcceptFile = v;
  DragAcceptFiles(Handle(), v ? TRUE : FALSE);
}

void TAIFileDropPan::WndProc(TMessage& msg) {
  if (msg.Msg == WM_DROPFILES) {
    DropFiles(reinterpret_cast<HDROP>(msg.WParam));
    msg.Result = 0;
    return;
  }
  TPanel::WndProc(msg);
}

void TAIFileDropPan::DropFiles(HDROP drop) {
  std::vector<std::string> paths;
  {
    TDropMemory mem(drop);
    paths = ReadDropPaths(mem);
    if (!mem) drop = nullptr; // not ours to free
  }
  if (drop) DragFinish(drop);
  DropPaths(paths);
}

void TAIFileDropPan::DropPaths(const std::vector<std::string>& paths) {
  FFileList.BeginUpdate();
  FFileList.Clear();
  for (const auto& path : paths)
    FFileList.Add(AnsiToWide(path));
  FFileList.EndUpdate();
  if (OnDragFile) OnDragFile(this, &FFileList);
}
