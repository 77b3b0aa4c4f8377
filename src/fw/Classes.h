#pragma once
// The object model of the form framework: classes that know their name and
// their parent class, comparable method references for events, components
// with owners and free notification, and the persistent base of everything
// a stored form description can hold.

#include <windows.h>

#include <bit>
#include <cstdint>
#include <functional>
#include <memory>
#include <new>
#include <stdexcept>
#include <string>
#include <typeinfo>
#include <vector>

class TObject;
class TComponent;
struct TClassInfo;
struct TPropInfo;

// ---------------------------------------------------------------------------
// Method references

// A method of some object, without its signature: what the form reader
// binds by name and what events are compared by.
using TGenericMethodCode = void (TObject::*)();

struct TMethod {
  TObject* Data = nullptr;
  TGenericMethodCode Code = nullptr;
  const std::type_info* Signature = nullptr; // typeid(void(Args...)) of the method
  bool Assigned() const { return Code != nullptr; }
  bool operator==(const TMethod& o) const { return Data == o.Data && Code == o.Code; }
};

// An event: a method of an object with a fixed signature, comparable, so a
// setter can store only when the method differs.
template <class... Args> class TEvent {
public:
  using TCode = void (TObject::*)(Args...);
  TEvent() = default;
  TEvent(std::nullptr_t) {}
  template <class T>
  TEvent(T* object, void (T::*code)(Args...)) : FData(object), FCode(static_cast<TCode>(code)) {}

  explicit operator bool() const { return FCode != nullptr; }
  void operator()(Args... args) const {
    if (FCode) (FData->*FCode)(args...);
  }
  bool operator==(const TEvent& o) const { return FData == o.FData && FCode == o.FCode; }
  TObject* Data() const { return FData; }

  TMethod ToMethod() const {
    // Member pointers of one class all have the same layout; the signature
    // travels beside the code and is checked before it is cast back.
    return {FData, std::bit_cast<TGenericMethodCode>(FCode), &typeid(void(Args...))};
  }
  // False (and unchanged) when the method's signature is not this event's.
  bool FromMethod(const TMethod& m) {
    if (m.Code && (!m.Signature || *m.Signature != typeid(void(Args...)))) return false;
    FData = m.Data;
    FCode = std::bit_cast<TCode>(m.Code);
    return true;
  }

private:
  TObject* FData = nullptr;
  TCode FCode = nullptr;
};

using TNotifyEvent = TEvent<TObject*>;

// ---------------------------------------------------------------------------
// Classes

using TCreateFunc = TObject* (*)(TComponent* owner);

struct TNamedMethod {
  std::string Name;
  TMethod Method; // Data is empty: bound to an instance when used
};

// What the framework knows of a class: its name, its parent, how to make
// one (for the form reader), its published properties and, for forms, the
// methods the stored description may bind events to.
struct TClassInfo {
  std::string Name;
  const TClassInfo* Parent = nullptr;
  TCreateFunc Create = nullptr;
  std::vector<TPropInfo> Props;
  std::vector<TNamedMethod> Methods;

  bool InheritsFrom(const TClassInfo& other) const;
  // Walks this class and its parents.
  const TPropInfo* FindProp(std::string_view name) const;
  const TNamedMethod* FindMethod(std::string_view name) const;
  const TNamedMethod* FindMethodByCode(TGenericMethodCode code) const;
};

// The registry of classes the form reader can create, by name (ignoring
// case, as stored descriptions are written by hand too).
void RegisterComponentClass(const TClassInfo& info);
const TClassInfo* FindComponentClass(std::string_view name);

class EFrameworkError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// Declares the class information of a framework class. Use in the class
// body; define with FW_CLASS_IMPL in the .cpp file.
#define FW_DECLARE_CLASS(ClassName)                                                                \
public:                                                                                            \
  static TClassInfo& StaticClass();                                                                \
  const TClassInfo& ClassInfo() const override {                                                   \
    return StaticClass();                                                                          \
  }                                                                                                \
                                                                                                   \
private:

// Defines StaticClass(); `setup` is a callable taking TClassInfo& that
// registers properties and methods. Creatable classes pass a create function.
#define FW_CLASS_IMPL(ClassName, ParentName, createFunc, setup)                                    \
  TClassInfo& ClassName::StaticClass() {                                                           \
    static TClassInfo* info = [] {                                                                 \
      auto* i = new TClassInfo{#ClassName, &ParentName::StaticClass(), createFunc, {}, {}};        \
      setup(*i);                                                                                   \
      RegisterComponentClass(*i);                                                                  \
      return i;                                                                                    \
    }();                                                                                           \
    return *info;                                                                                  \
  }

template <class T> TObject* CreateComponentOf(TComponent* owner) {
  return new T(owner);
}
inline void NoSetup(TClassInfo&) {}

class TObject {
public:
  virtual ~TObject() = default;
  static TClassInfo& StaticClass();
  virtual const TClassInfo& ClassInfo() const { return StaticClass(); }
  const std::string& ClassName() const { return ClassInfo().Name; }
  bool InheritsFrom(const TClassInfo& c) const { return ClassInfo().InheritsFrom(c); }
  template <class T> bool Is() const { return InheritsFrom(T::StaticClass()); }
};

template <class T> T* As(TObject* o) {
  return o && o->Is<T>() ? static_cast<T*>(o) : nullptr;
}
template <class T> const T* As(const TObject* o) {
  return o && o->Is<T>() ? static_cast<const T*>(o) : nullptr;
}

// ---------------------------------------------------------------------------
// Persistent objects and components

class TFiler;

class TPersistent : public TObject {
  FW_DECLARE_CLASS(TPersistent)
public:
  // Copies the state of source; the base refuses with an error naming both
  // classes.
  virtual void Assign(const TPersistent& source);
  // Properties the stored form keeps outside the published ones (binary
  // data, for instance).
  virtual void DefineProperties(TFiler& filer);
};

enum TComponentStateFlag : unsigned {
  csLoading = 1,
  csReading = 2,
  csWriting = 4,
  csDestroying = 8,
  csDesigning = 16,
};

enum TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
  FW_DECLARE_CLASS(TComponent)
public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return FOwner; }
  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* Components(int i) const { return FComponents.at(i); }
  TComponent* FindComponent(std::string_view name) const;
  template <class T> T* Find(std::string_view name) const { return As<T>(FindComponent(name)); }
  void InsertComponent(TComponent* c);
  void RemoveComponent(TComponent* c);

  const std::string& Name() const { return FName; }
  void SetName(const std::string& name);
  std::intptr_t Tag() const { return FTag; }
  void SetTag(std::intptr_t tag) { FTag = tag; }
  // Where a component without a window sat in the designer; kept so the
  // stored description reads and writes back whole.
  POINTS DesignPosition() const { return FDesignPosition; }
  void SetDesignPosition(POINTS p) { FDesignPosition = p; }

  unsigned ComponentState() const { return FState; }
  bool HasState(TComponentStateFlag f) const { return (FState & f) != 0; }
  void SetState(TComponentStateFlag f, bool on) { FState = on ? FState | f : FState & ~f; }
  void SetDesigning(bool on);

  // Asks component to tell this one (through Notification) when it goes.
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);
  // Called with opRemove when a component this one points to goes, and with
  // opInsert/opRemove when a component is added to or removed from the owner.
  virtual void Notification(TComponent* component, TOperation operation);
  // Called once the whole stored description has been read.
  virtual void Loaded();
  // Called by the form reader before any property is read.
  virtual void BeginLoading();
  // A component that a stored form nests under another one (a menu item
  // under its menu) sits there: the reader hands it the component it is
  // written in, and false means it cannot sit there. The writer asks the
  // component for those it nests, and leaves out of the top level every
  // component that has a parent of this kind.
  virtual bool SetParentComponent(TComponent* parent);
  virtual bool HasParent() const { return false; }
  virtual void GetChildren(std::vector<TComponent*>& out) const;

  // Deleting a component runs BeforeDestruction on the whole object first,
  // and only then the destructors: what it owns goes while it is still
  // every bit itself (a form still has its window and its class).
  void operator delete(TComponent* component, std::destroying_delete_t);
  // The allocation that pairs with it (the global one), and what frees the
  // memory of a component whose constructor threw.
  static void* operator new(std::size_t size);
  static void operator delete(void* memory);

protected:
  // The one step of destruction that sees the whole object; runs once.
  // The base marks the component csDestroying, tells everyone who asked
  // that it goes, and frees the components it owns. A class that must undo
  // something while it is whole overrides this and calls the base last.
  virtual void BeforeDestruction();
  // The base's step, run by BeforeDestruction. ~TComponent runs it too
  // for a component that was never deleted (one made on the stack); such a
  // component's owned ones then go after its derived parts.
  void DestroyingStarts();

private:
  TComponent* FOwner = nullptr;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
  std::string FName;
  std::intptr_t FTag = 0;
  POINTS FDesignPosition{0, 0};
  unsigned FState = 0;
  bool FDestroyStarted = false;
};

// Property information completes TClassInfo.
#include "fw/TypInfo.h"
