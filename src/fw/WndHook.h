#pragma once
// The chain of message hooks in front of a control's own WndProc.
//
// A hook joins at the front of its control's chain and passes what it does
// not handle to the handler it was put in front of (CallPrevious). It may
// leave in any order: leaving splices it out, so the hooks behind and in
// front of it keep seeing every message, and a hook that left is never
// called again. The usual "save the previous handler, install mine, put the
// previous one back" is exactly Install, CallPrevious and Remove; unlike a
// saved method pointer it stays right when hooks leave out of order.

#include "fw/Classes.h"
#include "fw/Messages.h"

#include <memory>

class TControl;
using TWndMethod = TEvent<TMessage&>;
struct TWndHookNode;
struct TWndHookChainState;

class TWndHookChain {
public:
  explicit TWndHookChain(TControl* owner);
  // Hooks still installed become detached: they are called no more and
  // their Remove does nothing.
  ~TWndHookChain();
  TWndHookChain(const TWndHookChain&) = delete;
  TWndHookChain& operator=(const TWndHookChain&) = delete;

  // Hands msg to the frontmost hook, or to the control's WndProc when
  // there is none.
  void operator()(TMessage& msg) const;
  bool Empty() const;
  int Count() const;
  // The handler of the frontmost hook; the control's own WndProc when none.
  TWndMethod Front() const;

private:
  friend class TWndHook;
  std::shared_ptr<TWndHookChainState> FState;
};

// One hook in a control's chain. Moves, never copies; removes itself when
// it goes.
class TWndHook {
public:
  TWndHook() = default;
  TWndHook(TControl* control, TWndMethod handler) { Install(control, handler); }
  ~TWndHook() { Remove(); }
  TWndHook(const TWndHook&) = delete;
  TWndHook& operator=(const TWndHook&) = delete;
  TWndHook(TWndHook&& other) noexcept = default;
  TWndHook& operator=(TWndHook&& other) noexcept;

  // Puts handler in front of the control's chain (leaving any chain this
  // hook was in first).
  void Install(TControl* control, TWndMethod handler);
  void Remove();
  bool Installed() const;
  TControl* Control() const;
  // Passes msg on to what this hook was put in front of. After Remove it
  // still reaches the rest of the chain (a handler may remove its own hook
  // while it runs); once the control is gone it does nothing.
  void CallPrevious(TMessage& msg) const;

private:
  std::shared_ptr<TWndHookNode> FNode;
};
