#include "fw/WndHook.h"

#include "fw/Controls.h"

// What the chain and its hooks share. It outlives the control when hooks
// are still around, so a late Remove or CallPrevious finds the control gone
// instead of a dangling pointer.
struct TWndHookChainState {
  TControl* Owner = nullptr;
  std::shared_ptr<TWndHookNode> Head;
};

// A node stays alive while it runs (the dispatcher holds it), so a handler
// may remove its own hook and still pass the message on.
struct TWndHookNode {
  TWndMethod Handler;
  std::shared_ptr<TWndHookNode> Next;
  std::shared_ptr<TWndHookChainState> Chain;
  bool Removed = false;
};

namespace {

// The first hook at or after node that is still in its chain.
std::shared_ptr<TWndHookNode> FirstLive(std::shared_ptr<TWndHookNode> node) {
  while (node && node->Removed)
    node = node->Next;
  return node;
}

void DispatchFrom(const std::shared_ptr<TWndHookNode>& first, const TWndHookChainState& chain,
                  TMessage& msg) {
  if (std::shared_ptr<TWndHookNode> node = FirstLive(first))
    node->Handler(msg);
  else if (chain.Owner)
    chain.Owner->WndProc(msg);
}

} // namespace

TWndHookChain::TWndHookChain(TControl* owner) : FState(std::make_shared<TWndHookChainState>()) {
  FState->Owner = owner;
}

TWndHookChain::~TWndHookChain() {
  FState->Owner = nullptr;
  for (auto node = FState->Head; node; node = node->Next)
    node->Removed = true;
  FState->Head.reset();
}

void TWndHookChain::operator()(TMessage& msg) const {
  DispatchFrom(FState->Head, *FState, msg);
}

bool TWndHookChain::Empty() const {
  return !FState->Head;
}

int TWndHookChain::Count() const {
  int n = 0;
  for (auto node = FState->Head; node; node = node->Next)
    ++n;
  return n;
}

TWndMethod TWndHookChain::Front() const {
  if (FState->Head) return FState->Head->Handler;
  return FState->Owner ? TWndMethod(FState->Owner, &TControl::WndProc) : TWndMethod();
}

TWndHook& TWndHook::operator=(TWndHook&& other) noexcept {
  if (this != &other) {
    Remove();
    FNode = std::move(other.FNode);
  }
  return *this;
}

void TWndHook::Install(TControl* control, TWndMethod handler) {
  Remove();
  if (!control) return;
  auto& state = control->WindowProc.FState;
  FNode = std::make_shared<TWndHookNode>();
  FNode->Handler = handler;
  FNode->Chain = state;
  FNode->Next = state->Head;
  state->Head = FNode;
}

void TWndHook::Remove() {
  if (!FNode || FNode->Removed) return;
  FNode->Removed = true;
  TWndHookChainState& chain = *FNode->Chain;
  // Splice out: whoever pointed at this node now points past it. The node
  // keeps its own link so a call still running in it can pass on.
  for (std::shared_ptr<TWndHookNode>* link = &chain.Head; *link; link = &(*link)->Next)
    if (*link == FNode) {
      *link = FNode->Next;
      break;
    }
}

bool TWndHook::Installed() const {
  return FNode && !FNode->Removed;
}

TControl* TWndHook::Control() const {
  return Installed() ? FNode->Chain->Owner : nullptr;
}

void TWndHook::CallPrevious(TMessage& msg) const {
  if (FNode) DispatchFrom(FNode->Next, *FNode->Chain, msg);
}
