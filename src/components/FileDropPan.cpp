#include "components/FileDropPan.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstdint>
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

namespace {

// The paths of a drop, read in one pass over the drop's memory. Asking the
// shell for each path by its index walks the list from its start every time,
// which takes seconds for ten thousand files; the result is the same: each
// path in the ANSI code page, as the shell's ANSI query gives it, never cut.
// Empty when the memory does not hold a well-formed list.
std::optional<std::vector<std::string>> ReadDropPaths(HDROP drop) {
  const SIZE_T size = GlobalSize(drop);
  const auto* base = static_cast<const std::uint8_t*>(GlobalLock(drop));
  if (!base) return std::nullopt;
  std::optional<std::vector<std::string>> paths;
  const auto* header = reinterpret_cast<const DROPFILES*>(base);
  if (size >= sizeof(DROPFILES) && header->pFiles >= sizeof(DROPFILES) && header->pFiles < size) {
    paths.emplace();
    const std::uint8_t* p = base + header->pFiles;
    const std::uint8_t* end = base + size;
    const std::size_t unit = header->fWide ? 2 : 1;
    for (;;) {
      const std::uint8_t* start = p;
      while (p + unit <= end && !(p[0] == 0 && (unit == 1 || p[1] == 0)))
        p += unit;
      if (p + unit > end) {
        paths.reset(); // no terminator: not a drop list
        break;
      }
      if (p == start) break; // the empty name ends the list
      if (header->fWide)
        paths->push_back(WideToAnsi(std::wstring_view(reinterpret_cast<const wchar_t*>(start),
                                                      static_cast<std::size_t>(p - start) / 2)));
      else
        paths->emplace_back(reinterpret_cast<const char*>(start), p - start);
      p += unit;
    }
  }
  GlobalUnlock(drop);
  return paths;
}

// The same through the shell's queries, for drops whose memory cannot be
// read directly. The length is asked first, so no path is ever cut.
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

} // namespace

void TAIFileDropPan::DropFiles(HDROP drop) {
  std::optional<std::vector<std::string>> read = ReadDropPaths(drop);
  const std::vector<std::string> paths = read ? std::move(*read) : QueryDropPaths(drop);
  FFileList.BeginUpdate();
  FFileList.Clear();
  for (const auto& path : paths)
    FFileList.Add(AnsiToWide(path));
  FFileList.EndUpdate();
  DragFinish(drop);
  if (OnDragFile) OnDragFile(this, &FFileList);
}
