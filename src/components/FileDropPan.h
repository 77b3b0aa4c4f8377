#pragma once
// A panel that accepts files dragged from the shell and hands the dropped
// paths to its owner in one event. A drop arrives as WM_DROPFILES or, from
// shells that drag through OLE (Wine's bridge for drags from X11 file
// managers among them), through a drop target on the panel's window; both
// give the same result.

#include "fw/ExtCtrls.h"

#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

using TDragFileEvent = TEvent<TComponent*, TStrings*>;

class TAIFileDropPan : public TPanel {
  FW_DECLARE_CLASS(TAIFileDropPan)
public:
  // The owner becomes the panel's parent, so it must be a windowed control.
  explicit TAIFileDropPan(TComponent* owner);
  ~TAIFileDropPan() override;

  TDragFileEvent OnDragFile;
  bool AcceptFile() const { return FAcceptFile; }
  // Registers the panel with the shell (or withdraws it) on every call, also
  // when the value does not change; this makes the panel's window.
  void SetAcceptFile(bool v);
  // The paths of the latest drop; valid until the next drop.
  TStrings& FileList() { return FFileList; }

  void WndProc(TMessage& msg) override;

protected:
  // Whether the panel takes files is part of how its window is made, so a
  // remade window takes them as the old one did.
  void CreateParams(TCreateParams& p) override;
  void HandleCreated() override;

private:
  class TDropTarget;
  class TOleRegistration;
  void DropFiles(HDROP drop);
  // One drop's paths (ANSI): the file list is emptied and filled, then the
  // event is raised once.
  void DropPaths(const std::vector<std::string>& paths);
  void RegisterOleTarget();
  void RevokeOleTarget();
  bool FAcceptFile = false;
  TStringList FFileList;
  std::unique_ptr<TOleRegistration> FOleTarget;
};
