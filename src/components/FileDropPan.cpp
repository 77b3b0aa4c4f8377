#include "components/FileDropPan.h"

#include <ole2.h>
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
// memory block of this process: the handle Wine posts for a drag from an X11
// program is none, and reading through it kills the program.
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

FORMATETC HDropFormat() {
  return FORMATETC{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

bool OffersFiles(IDataObject* data) {
  FORMATETC format = HDropFormat();
  return data && data->QueryGetData(&format) == S_OK;
}

} // namespace

// ---------------------------------------------------------------------------
// The OLE drop target. The system may hold it after the panel is gone, so it
// points at the panel only while registered and refuses drops after that.

class TAIFileDropPan::TDropTarget final : public IDropTarget {
public:
  explicit TDropTarget(TAIFileDropPan* panel) : FPanel(panel) {}
  void Detach() { FPanel = nullptr; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget)) {
      *out = static_cast<IDropTarget*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++FRefs); }
  ULONG STDMETHODCALLTYPE Release() override {
    const long refs = --FRefs;
    if (refs == 0) delete this;
    return static_cast<ULONG>(refs);
  }

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
    FOffersFiles = OffersFiles(data);
    return Answer(effect);
  }
  HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override {
    return Answer(effect);
  }
  HRESULT STDMETHODCALLTYPE DragLeave() override {
    FOffersFiles = false;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override;

private:
  // Dropped files are only read, never moved: copy is the one effect shown,
  // and a source that allows no copy is refused.
  HRESULT Answer(DWORD* effect) const {
    if (!effect) return E_INVALIDARG;
    *effect =
        FPanel && FOffersFiles && (*effect & DROPEFFECT_COPY) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    return S_OK;
  }
  long FRefs = 1;
  TAIFileDropPan* FPanel;
  bool FOffersFiles = false;
};

HRESULT STDMETHODCALLTYPE TAIFileDropPan::TDropTarget::Drop(IDataObject* data, DWORD, POINTL,
                                                            DWORD* effect) {
  FOffersFiles = OffersFiles(data);
  const HRESULT answer = Answer(effect);
  FOffersFiles = false;
  if (answer != S_OK || *effect == DROPEFFECT_NONE) return answer;
  FORMATETC format = HDropFormat();
  STGMEDIUM medium{};
  if (FAILED(data->GetData(&format, &medium))) {
    *effect = DROPEFFECT_NONE;
    return S_OK;
  }
  std::vector<std::string> paths;
  if (medium.tymed == TYMED_HGLOBAL) paths = ReadDropPaths(TDropMemory(medium.hGlobal));
  ReleaseStgMedium(&medium);
  // Errors of the event's handler go where those of a window procedure go;
  // none may cross into the system's drag loop.
  try {
    FPanel->DropPaths(paths);
  } catch (const std::exception& e) {
    HandleWndProcException(e);
  } catch (...) {
    HandleWndProcException(EFrameworkError("Unknown error"));
  }
  return S_OK;
}

// One registration of the drop target on one window, with the OLE set-up it
// needs on this thread; both are undone together.
class TAIFileDropPan::TOleRegistration {
public:
  // Null when OLE cannot be had on this thread (it was set up for another
  // threading model) or the window takes no target: the panel then takes
  // WM_DROPFILES only.
  static std::unique_ptr<TOleRegistration> Make(TAIFileDropPan* panel, HWND wnd) {
    if (FAILED(OleInitialize(nullptr))) return nullptr;
    auto* target = new TDropTarget(panel);
    if (FAILED(RegisterDragDrop(wnd, target))) {
      target->Release();
      OleUninitialize();
      return nullptr;
    }
    return std::unique_ptr<TOleRegistration>(new TOleRegistration(wnd, target));
  }
  ~TOleRegistration() {
    RevokeDragDrop(FWnd);
    FTarget->Detach();
    FTarget->Release();
    OleUninitialize();
  }
  TOleRegistration(const TOleRegistration&) = delete;
  TOleRegistration& operator=(const TOleRegistration&) = delete;
  HWND Window() const { return FWnd; }

private:
  TOleRegistration(HWND wnd, TDropTarget* target) : FWnd(wnd), FTarget(target) {}
  HWND FWnd;
  TDropTarget* FTarget;
};

// ---------------------------------------------------------------------------

TAIFileDropPan::TAIFileDropPan(TComponent* owner) : TPanel(owner) {
  SetParent(ParentFromOwner(owner));
  SetAcceptFile(true);
}

TAIFileDropPan::~TAIFileDropPan() {
  // Only a panel that has its window can be registered; asking for the
  // handle here would make a window for a panel on its way out.
  if (Parent() && FAcceptFile && HandleAllocated()) DragAcceptFiles(WindowHandle(), FALSE);
  RevokeOleTarget();
}

void TAIFileDropPan::SetAcceptFile(bool v) {
  FAcceptFile = v;
  DragAcceptFiles(Handle(), v ? TRUE : FALSE);
  if (v)
    RegisterOleTarget();
  else
    RevokeOleTarget();
}

void TAIFileDropPan::CreateParams(TCreateParams& p) {
  TPanel::CreateParams(p);
  if (FAcceptFile) p.ExStyle |= WS_EX_ACCEPTFILES;
}

void TAIFileDropPan::HandleCreated() {
  TPanel::HandleCreated();
  if (FAcceptFile) RegisterOleTarget();
}

void TAIFileDropPan::RegisterOleTarget() {
  if (FOleTarget && FOleTarget->Window() == WindowHandle()) return;
  FOleTarget.reset();
  FOleTarget = TOleRegistration::Make(this, WindowHandle());
}

void TAIFileDropPan::RevokeOleTarget() {
  FOleTarget.reset();
}

void TAIFileDropPan::WndProc(TMessage& msg) {
  switch (msg.Msg) {
  case WM_DROPFILES:
    DropFiles(reinterpret_cast<HDROP>(msg.WParam));
    msg.Result = 0;
    return;
  case WM_DESTROY:
    // A target must be revoked while its window still exists, whoever
    // destroys the window (a remake, the parent going).
    RevokeOleTarget();
    break;
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
