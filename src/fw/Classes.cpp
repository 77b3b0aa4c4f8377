#include "fw/Classes.h"

#include "fw/TypInfo.h"

#include <algorithm>
#include <map>

namespace {

std::string Lower(std::string_view s) {
  std::string r(s);
  for (auto& c : r)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return r;
}

std::map<std::string, const TClassInfo*>& ClassRegistry() {
  static std::map<std::string, const TClassInfo*> registry;
  return registry;
}

} // namespace

bool TClassInfo::InheritsFrom(const TClassInfo& other) const {
  for (const TClassInfo* c = this; c; c = c->Parent)
    if (c == &other) return true;
  return false;
}

const TPropInfo* TClassInfo::FindProp(std::string_view name) const {
  const std::string key = Lower(name);
  for (const TClassInfo* c = this; c; c = c->Parent)
    for (const auto& p : c->Props)
      if (Lower(p.Name) == key) return &p;
  return nullptr;
}

const TNamedMethod* TClassInfo::FindMethod(std::string_view name) const {
  const std::string key = Lower(name);
  for (const TClassInfo* c = this; c; c = c->Parent)
    for (const auto& m : c->Methods)
      if (Lower(m.Name) == key) return &m;
  return nullptr;
}

const TNamedMethod* TClassInfo::FindMethodByCode(TGenericMethodCode code) const {
  for (const TClassInfo* c = this; c; c = c->Parent)
    for (const auto& m : c->Methods)
      if (m.Method.Code == code) return &m;
  return nullptr;
}

void RegisterComponentClass(const TClassInfo& info) {
  ClassRegistry()[Lower(info.Name)] = &info;
}

const TClassInfo* FindComponentClass(std::string_view name) {
  auto& registry = ClassRegistry();
  auto it = registry.find(Lower(name));
  return it == registry.end() ? nullptr : it->second;
}

TClassInfo& TObject::StaticClass() {
  static TClassInfo info{"TObject", nullptr, nullptr, {}, {}};
  return info;
}

// ---------------------------------------------------------------------------

FW_CLASS_IMPL(TPersistent, TObject, nullptr, NoSetup)

void TPersistent::Assign(const TPersistent& source) {
  throw EFrameworkError("Cannot assign a " + source.ClassName() + " to a " + ClassName());
}

void TPersistent::DefineProperties(TFiler&) {}

static void SetupComponent(TClassInfo& c) {
  auto name = StringProp<TComponent>(
      "Name", [](TComponent* o) { return Widen(o->Name()); },
      [](TComponent* o, const std::wstring& v) { o->SetName(Narrow(v)); });
  name.Stored = [](TObject*) { return false; }; // the object line carries it
  c.Props.push_back(name);
  c.Props.push_back(IntProp<TComponent>(
      "Left", [](TComponent* o) { return o->DesignPosition().x; },
      [](TComponent* o, std::int64_t v) {
        o->SetDesignPosition({static_cast<SHORT>(v), o->DesignPosition().y});
      },
      0));
  c.Props.push_back(IntProp<TComponent>(
      "Top", [](TComponent* o) { return o->DesignPosition().y; },
      [](TComponent* o, std::int64_t v) {
        o->SetDesignPosition({o->DesignPosition().x, static_cast<SHORT>(v)});
      },
      0));
  c.Props.push_back(IntProp<TComponent>(
      "Tag", [](TComponent* o) { return static_cast<std::int64_t>(o->Tag()); },
      [](TComponent* o, std::int64_t v) { o->SetTag(static_cast<std::intptr_t>(v)); }, 0));
}
FW_CLASS_IMPL(TComponent, TPersistent, nullptr, SetupComponent)

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
  DestroyingStarts();
  if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::operator delete(TComponent* component, std::destroying_delete_t) {
  if (!component) return;
  component->BeforeDestruction();
  void* whole = dynamic_cast<void*>(component);
  component->~TComponent(); // virtual: the most derived destructor runs
  ::operator delete(whole);
}

void* TComponent::operator new(std::size_t size) {
  return ::operator new(size);
}

void TComponent::operator delete(void* memory) {
  ::operator delete(memory);
}

void TComponent::BeforeDestruction() {
  DestroyingStarts();
}

void TComponent::DestroyingStarts() {
  if (FDestroyStarted) return;
  FDestroyStarted = true;
  FState |= csDestroying;
  // Everyone who asked learns that this component goes; they forget it.
  while (!FFreeNotifies.empty()) {
    TComponent* other = FFreeNotifies.back();
    FFreeNotifies.pop_back();
    auto& back = other->FFreeNotifies;
    back.erase(std::remove(back.begin(), back.end(), this), back.end());
    other->Notification(this, opRemove);
  }
  while (!FComponents.empty()) {
    TComponent* c = FComponents.back();
    delete c; // removes itself from this list
  }
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  if (name.empty()) return nullptr;
  const std::string key = Lower(name);
  for (TComponent* c : FComponents)
    if (Lower(c->FName) == key) return c;
  return nullptr;
}

void TComponent::InsertComponent(TComponent* c) {
  if (c->FOwner) c->FOwner->RemoveComponent(c);
  FComponents.push_back(c);
  c->FOwner = this;
  Notification(c, opInsert);
}

void TComponent::RemoveComponent(TComponent* c) {
  auto it = std::find(FComponents.begin(), FComponents.end(), c);
  if (it == FComponents.end()) return;
  Notification(c, opRemove);
  FComponents.erase(std::find(FComponents.begin(), FComponents.end(), c));
  c->FOwner = nullptr;
}

void TComponent::SetName(const std::string& name) {
  if (name == FName) return;
  if (FOwner && !name.empty()) {
    TComponent* other = FOwner->FindComponent(name);
    if (other && other != this)
      throw EFrameworkError("A component named " + name + " already exists");
  }
  FName = name;
}

void TComponent::SetDesigning(bool on) {
  SetState(csDesigning, on);
  for (TComponent* c : FComponents)
    c->SetDesigning(on);
}

void TComponent::FreeNotification(TComponent* component) {
  if (!component || component == this) return;
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), component) == FFreeNotifies.end())
    FFreeNotifies.push_back(component);
  auto& back = component->FFreeNotifies;
  if (std::find(back.begin(), back.end(), this) == back.end()) back.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  if (!component) return;
  FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), component),
                      FFreeNotifies.end());
  auto& back = component->FFreeNotifies;
  back.erase(std::remove(back.begin(), back.end(), this), back.end());
}

bool TComponent::SetParentComponent(TComponent*) {
  return false;
}

void TComponent::GetChildren(std::vector<TComponent*>&) const {}

void TComponent::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove && component) RemoveFreeNotification(component);
  // Siblings on the same owner may point to the component too.
  for (std::size_t i = 0; i < FComponents.size(); ++i)
    if (FComponents[i] != component) FComponents[i]->Notification(component, operation);
}

void TComponent::BeginLoading() {
  FState |= csLoading | csReading;
}

void TComponent::Loaded() {
  FState &= ~(csLoading | csReading);
}
