#include "support/DropFiles.h"

#include "support/WinTestUtil.h"

#include <ole2.h>
#include <shlobj.h>

#include <cstring>

namespace testutil {

HDROP MakeDropBytes(const std::string& bytes) {
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  std::memcpy(GlobalLock(mem), bytes.data(), bytes.size());
  GlobalUnlock(mem);
  return static_cast<HDROP>(mem);
}

std::string DropHeader(DWORD filesOffset, BOOL wide) {
  DROPFILES header{};
  header.pFiles = filesOffset;
  header.fWide = wide;
  return std::string(reinterpret_cast<const char*>(&header), sizeof header);
}

std::string DropNames(const std::vector<std::wstring>& paths, bool wide) {
  std::string bytes;
  auto add = [&](const std::wstring& p) {
    if (wide)
      bytes.append(reinterpret_cast<const char*>(p.c_str()), (p.size() + 1) * sizeof(wchar_t));
    else
      bytes += Narrow(p, CP_ACP) + '\0';
  };
  for (const auto& p : paths)
    add(p);
  add(L"");
  return bytes;
}

HDROP MakeDrop(const std::vector<std::wstring>& paths) {
  return MakeDropBytes(DropHeader(sizeof(DROPFILES), TRUE) + DropNames(paths, true));
}

HDROP MakeAnsiDrop(const std::vector<std::string>& paths) {
  std::string bytes = DropHeader(sizeof(DROPFILES), FALSE);
  for (const auto& p : paths)
    bytes += p + '\0';
  return MakeDropBytes(bytes + '\0');
}

namespace {

HGLOBAL CopyMemoryBlock(HGLOBAL mem) {
  const SIZE_T size = GlobalSize(mem);
  HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
  std::memcpy(GlobalLock(copy), GlobalLock(mem), size);
  GlobalUnlock(mem);
  GlobalUnlock(copy);
  return copy;
}

// Only what an OLE drop target asks of a drag's data.
class TDropData final : public IDataObject {
public:
  explicit TDropData(HDROP drop) : FDrop(drop) {}
  ~TDropData() {
    if (FDrop) GlobalFree(FDrop);
  }
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDataObject)) {
      *out = static_cast<IDataObject*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++FRefs; }
  ULONG STDMETHODCALLTYPE Release() override { return --FRefs; } // lives on the stack
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
    if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = CopyMemoryBlock(FDrop);
    medium->pUnkForRelease = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
    return FDrop && format && format->cfFormat == CF_HDROP && (format->tymed & TYMED_HGLOBAL)
               ? S_OK
               : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    out->ptd = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }

private:
  ULONG FRefs = 1;
  HDROP FDrop;
};

// Lets the drag run a few rounds over the target, then drops; gives up
// after a bounded number of rounds.
class TDropSource final : public IDropSource {
public:
  explicit TDropSource(std::vector<DWORD>& shown) : FShown(shown) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropSource)) {
      *out = static_cast<IDropSource*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++FRefs; }
  ULONG STDMETHODCALLTYPE Release() override { return --FRefs; }
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL, DWORD) override {
    ++FRounds;
    if (FRounds > 200) return DRAGDROP_S_CANCEL;
    return FRounds > 3 ? DRAGDROP_S_DROP : S_OK;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD effect) override {
    FShown.push_back(effect);
    return DRAGDROP_S_USEDEFAULTCURSORS;
  }

private:
  ULONG FRefs = 1;
  int FRounds = 0;
  std::vector<DWORD>& FShown;
};

} // namespace

TOleDragResult OleDragAndDrop(POINT screen, HDROP drop, DWORD allowed) {
  TOleDragResult r;
  const HRESULT init = OleInitialize(nullptr);
  {
    TDropData data(drop);
    TDropSource source(r.EffectsShown);
    PlacePointer(screen);
    r.Result = DoDragDrop(&data, &source, allowed, &r.Effect);
  }
  if (SUCCEEDED(init)) OleUninitialize();
  return r;
}

} // namespace testutil
