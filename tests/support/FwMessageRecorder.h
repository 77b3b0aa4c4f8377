#pragma once
// Message-sequence recording on framework controls: what a control's hook
// chain sees (messages performed without a window included), noted into a
// msgseq::TRecorder, with the framework telling when its default procedure
// runs.

#include "fw/Controls.h"
#include "support/MessageSequence.h"

namespace msgseq {

class TControlRecorder : public TObject {
public:
  TControlRecorder(TRecorder& recorder, TControl* control, unsigned extraFlags = 0)
      : FRecorder(recorder), FFlags(extraFlags | hook) {
    recorder.InDefaultProc = [] { return DefaultProcDepth() > 0; };
    FHook.Install(control, TWndMethod(this, &TControlRecorder::Hook));
  }
  void Remove() { FHook.Remove(); }

private:
  void Hook(TMessage& msg) {
    auto* w = As<TWinControl>(FHook.Control());
    FRecorder.Record(w ? w->WindowHandle() : nullptr, msg.Msg, msg.WParam, msg.LParam, FFlags);
    FHook.CallPrevious(msg);
  }
  TRecorder& FRecorder;
  unsigned FFlags;
  TWndHook FHook;
};

} // namespace msgseq
