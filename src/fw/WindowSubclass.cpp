#include "fw/WindowSubclass.h"

#include "fw/Controls.h"

#include <cstdint>
#include <cstring>
#include <unordered_map>
#include <utility>
#include <vector>

// --- Procedure instances ------------------------------------------------------

namespace {

// Stubs live in executable pages, a fixed-size slot each, reused when freed.
constexpr std::size_t kSlotSize = 32;
constexpr std::size_t kPageSize = 4096;

class TStubPool {
public:
  void* Take() {
    if (FFree.empty()) Grow();
    if (FFree.empty()) return nullptr;
    void* slot = FFree.back();
    FFree.pop_back();
    return slot;
  }
  void Give(void* slot) { FFree.push_back(slot); }

private:
  void Grow() {
    void* page = VirtualAlloc(nullptr, kPageSize, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE);
    if (!page) return;
    for (std::size_t off = kPageSize; off >= kSlotSize; off -= kSlotSize)
      FFree.push_back(static_cast<std::uint8_t*>(page) + off - kSlotSize);
  }
  std::vector<void*> FFree;
};

TStubPool& Pool() {
  static TStubPool pool;
  return pool;
}

} // namespace

WNDPROC MakeWindowStub(TWindowStubFunc fn, void* context) {
  auto* code = static_cast<std::uint8_t*>(Pool().Take());
  if (!code) return nullptr;
  std::uint8_t* p = code;
  auto put = [&p](const void* bytes, std::size_t n) {
    std::memcpy(p, bytes, n);
    p += n;
  };
#if defined(_WIN64)
  // mov rcx, context; mov rax, fn; jmp rax: the window handle's register
  // carries the context.
  const std::uint64_t ctx = reinterpret_cast<std::uintptr_t>(context);
  const std::uint64_t target = reinterpret_cast<std::uintptr_t>(fn);
  put("\x48\xB9", 2);
  put(&ctx, 8);
  put("\x48\xB8", 2);
  put(&target, 8);
  put("\xFF\xE0", 2);
#else
  // mov dword [esp+4], context; jmp fn: the window handle's stack slot
  // carries the context.
  const std::uint32_t ctx = reinterpret_cast<std::uintptr_t>(context);
  put("\xC7\x44\x24\x04", 4);
  put(&ctx, 4);
  const std::int32_t rel = static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(fn) -
                                                     reinterpret_cast<std::intptr_t>(p + 5));
  put("\xE9", 1);
  put(&rel, 4);
#endif
  FlushInstructionCache(GetCurrentProcess(), code, kSlotSize);
  return reinterpret_cast<WNDPROC>(code);
}

void FreeWindowStub(WNDPROC instance) {
  if (instance) Pool().Give(reinterpret_cast<void*>(instance));
}

// --- Subclasses ---------------------------------------------------------------

struct TWindowSubclassRecord {
  HWND Wnd = nullptr;
  WNDPROC Old = nullptr;
  WNDPROC Stub = nullptr;
  TWndMethod Handler;
  bool Unicode = true;
  bool Released = false;  // the owner let go: the stub only passes messages on
  bool InChain = true;    // the window (or a subclass after us) may still call the stub
  bool OwnerHolds = true; // a TWindowSubclass still points here
  int Depth = 0;          // messages running through the stub right now

  LRESULT CallOld(UINT msg, WPARAM wParam, LPARAM lParam) const {
    return Unicode ? CallWindowProcW(Old, Wnd, msg, wParam, lParam)
                   : CallWindowProcA(Old, Wnd, msg, wParam, lParam);
  }
  // Freed once nothing can reach it: no owner, no call running, and out
  // of every chain (or the window gone).
  void FreeIfUnreachable();
};

namespace {

// The live subclasses by their stubs, so that a subclass leaving the
// window can also take out released ones it was put in front of.
std::unordered_map<WNDPROC, TWindowSubclassRecord*>& LiveStubs() {
  static std::unordered_map<WNDPROC, TWindowSubclassRecord*> stubs;
  return stubs;
}

} // namespace

void TWindowSubclassRecord::FreeIfUnreachable() {
  if (OwnerHolds || Depth > 0 || InChain) return;
  LiveStubs().erase(Stub);
  FreeWindowStub(Stub);
  delete this;
}

namespace {

LRESULT CALLBACK SubclassDispatch(void* context, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* rec = static_cast<TWindowSubclassRecord*>(context);
  ++rec->Depth;
  TMessage m{msg, wParam, lParam, 0};
  if (rec->Released) {
    m.Result = rec->CallOld(msg, wParam, lParam);
  } else {
    try {
      rec->Handler(m);
    } catch (const std::exception& e) {
      HandleWndProcException(e);
    } catch (...) {
      HandleWndProcException(EFrameworkError("Unknown error"));
    }
  }
  --rec->Depth;
  if (msg == WM_NCDESTROY) rec->InChain = false; // the window is gone
  rec->FreeIfUnreachable();
  return m.Result;
}

} // namespace

TWindowSubclass::TWindowSubclass(TWindowSubclass&& other) noexcept
    : FRecord(std::exchange(other.FRecord, nullptr)) {}

TWindowSubclass& TWindowSubclass::operator=(TWindowSubclass&& other) noexcept {
  if (this != &other) {
    Drop();
    FRecord = std::exchange(other.FRecord, nullptr);
  }
  return *this;
}

TWindowSubclass::~TWindowSubclass() {
  Drop();
}

void TWindowSubclass::Drop() {
  TWindowSubclassRecord* rec = std::exchange(FRecord, nullptr);
  if (!rec) return;
  Release(*rec);
  rec->OwnerHolds = false;
  rec->FreeIfUnreachable();
}

bool TWindowSubclass::Install(HWND wnd, TWndMethod handler, bool unicode) {
  if (Installed() || !IsWindow(wnd)) return false;
  Drop();
  auto* rec = new TWindowSubclassRecord;
  rec->Wnd = wnd;
  rec->Handler = handler;
  rec->Unicode = unicode;
  rec->Stub = MakeWindowStub(SubclassDispatch, rec);
  if (!rec->Stub) {
    delete rec;
    return false;
  }
  LiveStubs()[rec->Stub] = rec;
  const LONG_PTR stub = reinterpret_cast<LONG_PTR>(rec->Stub);
  rec->Old = reinterpret_cast<WNDPROC>(unicode ? SetWindowLongPtrW(wnd, GWLP_WNDPROC, stub)
                                               : SetWindowLongPtrA(wnd, GWLP_WNDPROC, stub));
  FRecord = rec;
  return true;
}

void TWindowSubclass::Release(TWindowSubclassRecord& rec) {
  if (rec.Released) return;
  rec.Released = true;
  if (!rec.InChain) return;
  if (!IsWindow(rec.Wnd)) {
    rec.InChain = false;
    return;
  }
  const LONG_PTR current = rec.Unicode ? GetWindowLongPtrW(rec.Wnd, GWLP_WNDPROC)
                                       : GetWindowLongPtrA(rec.Wnd, GWLP_WNDPROC);
  if (current != reinterpret_cast<LONG_PTR>(rec.Stub)) return; // in somebody's chain: pass on
  // Subclasses of ours that were released while we sat in front of them
  // go with us: the window gets back the procedure from before them all.
  WNDPROC back = rec.Old;
  std::vector<TWindowSubclassRecord*> passed;
  for (auto it = LiveStubs().find(back); it != LiveStubs().end(); it = LiveStubs().find(back)) {
    TWindowSubclassRecord* before = it->second;
    if (before->Wnd != rec.Wnd || before->Unicode != rec.Unicode || !before->Released ||
        !before->InChain)
      break;
    passed.push_back(before);
    back = before->Old;
  }
  if (rec.Unicode)
    SetWindowLongPtrW(rec.Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(back));
  else
    SetWindowLongPtrA(rec.Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(back));
  rec.InChain = false;
  for (TWindowSubclassRecord* before : passed) {
    before->InChain = false;
    before->FreeIfUnreachable();
  }
}

void TWindowSubclass::Remove() {
  if (FRecord) Release(*FRecord);
}

bool TWindowSubclass::Installed() const {
  return FRecord && !FRecord->Released;
}

HWND TWindowSubclass::Window() const {
  return FRecord ? FRecord->Wnd : nullptr;
}

WNDPROC TWindowSubclass::OldProc() const {
  return FRecord ? FRecord->Old : nullptr;
}

WNDPROC TWindowSubclass::Proc() const {
  return FRecord ? FRecord->Stub : nullptr;
}

void TWindowSubclass::CallOld(TMessage& msg) const {
  if (FRecord) msg.Result = FRecord->CallOld(msg.Msg, msg.WParam, msg.LParam);
}
