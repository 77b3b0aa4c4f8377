#include "components/FileDropPan.h"

#include <shellapi.h>

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

void TAIFileDropPan::DropFiles(HDROP drop) {
  const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  FFileList.BeginUpdate();
  FFileList.Clear();
  for (UINT i = 0; i < count; ++i) {
    // The length is asked first, so no path is ever cut: a cut path could
    // name another file.
    UINT length = DragQueryFileA(drop, i, nullptr, 0);
    // Some shells count one empty name in a drop of nothing; an empty name
    // is never a file.
    if (length == 0) continue;
    std::string path(static_cast<std::size_t>(length) + 1, '\0');
    length = DragQueryFileA(drop, i, path.data(), length + 1);
    path.resize(length);
    FFileList.Add(AnsiToWide(path));
  }
  FFileList.EndUpdate();
  DragFinish(drop);
  if (OnDragFile) OnDragFile(this, &FFileList);
}
