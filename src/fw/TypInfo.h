#pragma once
// Published properties: each class lists its properties with their kind and
// accessors, so a stored form can be read and written and the skin engine can
// read and write any control's properties by name.

#include "fw/Classes.h"
#include "fw/TextConv.h"

#include <optional>

enum class TPropKind { Integer, Enumeration, Set, String, Object, Method };

// The value names of an enumeration, by ordinal (Boolean is "False", "True").
struct TEnumInfo {
  std::string Name;
  std::vector<std::string> Values;
  int ValueOf(std::string_view name) const; // -1 when unknown (ignoring case)
  std::string NameOf(int value) const;      // empty when out of range
};
extern const TEnumInfo BooleanInfo;

// Names for some values of an Integer property (colours, character sets,
// cursors), used by the stored description.
using TIdentMap = std::vector<std::pair<std::string, std::int64_t>>;
bool IdentToInt(const TIdentMap& map, std::string_view ident, std::int64_t& value);
const std::string* IntToIdent(const TIdentMap& map, std::int64_t value);

struct TPropInfo {
  std::string Name;
  TPropKind Kind = TPropKind::Integer;
  const TEnumInfo* Enum = nullptr;              // Enumeration; element type of a Set
  const TClassInfo* ObjectClass = nullptr;      // Object
  const TIdentMap* Idents = nullptr;            // Integer: value names
  std::function<std::int64_t(TObject*)> GetOrd; // Integer, Enumeration, Set (bit i = member i)
  std::function<void(TObject*, std::int64_t)> SetOrd;
  std::function<std::wstring(TObject*)> GetStr;
  std::function<void(TObject*, const std::wstring&)> SetStr;
  std::function<TObject*(TObject*)> GetObj;
  std::function<void(TObject*, TObject*)> SetObj; // empty: the object is edited in place
  std::function<TMethod(TObject*)> GetMethod;
  std::function<bool(TObject*, const TMethod&)> SetMethod; // false: signature differs
  std::optional<std::int64_t> Default;                     // ordinal kinds: not stored when equal
  std::function<bool(TObject*)> Stored;                    // empty: stored by the default rules
  bool IsStored(TObject* o) const;
};

// Builders, typed on the class that has the property.
template <class T>
TPropInfo IntProp(std::string name, std::function<std::int64_t(T*)> get,
                  std::function<void(T*, std::int64_t)> set,
                  std::optional<std::int64_t> def = std::nullopt,
                  const TIdentMap* idents = nullptr) {
  TPropInfo p;
  p.Idents = idents;
  p.Name = std::move(name);
  p.Kind = TPropKind::Integer;
  p.GetOrd = [get](TObject* o) { return get(static_cast<T*>(o)); };
  p.SetOrd = [set](TObject* o, std::int64_t v) { set(static_cast<T*>(o), v); };
  p.Default = def;
  return p;
}

template <class T>
TPropInfo EnumProp(std::string name, const TEnumInfo& info, std::function<int(T*)> get,
                   std::function<void(T*, int)> set, std::optional<int> def = std::nullopt) {
  TPropInfo p;
  p.Name = std::move(name);
  p.Kind = TPropKind::Enumeration;
  p.Enum = &info;
  p.GetOrd = [get](TObject* o) { return get(static_cast<T*>(o)); };
  p.SetOrd = [set](TObject* o, std::int64_t v) { set(static_cast<T*>(o), static_cast<int>(v)); };
  if (def) p.Default = *def;
  return p;
}

template <class T>
TPropInfo BoolProp(std::string name, std::function<bool(T*)> get, std::function<void(T*, bool)> set,
                   std::optional<bool> def = std::nullopt) {
  return EnumProp<T>(
      std::move(name), BooleanInfo, [get](T* o) { return get(o) ? 1 : 0; },
      [set](T* o, int v) { set(o, v != 0); },
      def ? std::optional<int>(*def ? 1 : 0) : std::nullopt);
}

template <class T>
TPropInfo SetPropOf(std::string name, const TEnumInfo& element,
                    std::function<std::uint64_t(T*)> get,
                    std::function<void(T*, std::uint64_t)> set,
                    std::optional<std::uint64_t> def = std::nullopt) {
  TPropInfo p;
  p.Name = std::move(name);
  p.Kind = TPropKind::Set;
  p.Enum = &element;
  p.GetOrd = [get](TObject* o) { return static_cast<std::int64_t>(get(static_cast<T*>(o))); };
  p.SetOrd = [set](TObject* o, std::int64_t v) {
    set(static_cast<T*>(o), static_cast<std::uint64_t>(v));
  };
  if (def) p.Default = static_cast<std::int64_t>(*def);
  return p;
}

template <class T>
TPropInfo StringProp(std::string name, std::function<std::wstring(T*)> get,
                     std::function<void(T*, const std::wstring&)> set) {
  TPropInfo p;
  p.Name = std::move(name);
  p.Kind = TPropKind::String;
  p.GetStr = [get](TObject* o) { return get(static_cast<T*>(o)); };
  p.SetStr = [set](TObject* o, const std::wstring& v) { set(static_cast<T*>(o), v); };
  return p;
}

template <class T, class V>
TPropInfo ObjectProp(std::string name, std::function<V*(T*)> get,
                     std::function<void(T*, V*)> set = nullptr) {
  TPropInfo p;
  p.Name = std::move(name);
  p.Kind = TPropKind::Object;
  p.ObjectClass = &V::StaticClass();
  p.GetObj = [get](TObject* o) -> TObject* { return get(static_cast<T*>(o)); };
  if (set) p.SetObj = [set](TObject* o, TObject* v) { set(static_cast<T*>(o), As<V>(v)); };
  return p;
}

// An event kept in a field of the class (a TEvent member).
template <class T, class... Args> TPropInfo EventProp(std::string name, TEvent<Args...> T::*field) {
  TPropInfo p;
  p.Name = std::move(name);
  p.Kind = TPropKind::Method;
  p.GetMethod = [field](TObject* o) { return (static_cast<T*>(o)->*field).ToMethod(); };
  p.SetMethod = [field](TObject* o, const TMethod& m) {
    return (static_cast<T*>(o)->*field).FromMethod(m);
  };
  return p;
}

// Registers a method a stored form may bind events to by its name.
template <class T, class... Args>
void RegisterMethod(TClassInfo& info, std::string name, void (T::*code)(Args...)) {
  TEvent<Args...> e(static_cast<T*>(nullptr), code);
  info.Methods.push_back({std::move(name), e.ToMethod()});
}

// --- Access by name ---------------------------------------------------------

const TPropInfo* GetPropInfo(const TObject* o, std::string_view name);
// The integer value of an Integer property; fallback when absent or of
// another kind.
std::int64_t GetIntProp(TObject* o, std::string_view name, std::int64_t fallback = -1);
bool SetIntProp(TObject* o, std::string_view name, std::int64_t value);
// The value name of an Enumeration property; empty when absent.
std::string GetEnumProp(TObject* o, std::string_view name);
bool SetEnumProp(TObject* o, std::string_view name, std::string_view valueName);
std::uint64_t GetSetProp(TObject* o, std::string_view name);
std::wstring GetStrProp(TObject* o, std::string_view name);
bool SetStrProp(TObject* o, std::string_view name, const std::wstring& value);
// The object of an Object property when it is of class cls (or any class when
// cls is null); null otherwise.
TObject* GetObjectProp(TObject* o, std::string_view name, const TClassInfo* cls = nullptr);
// Writes a property from text: Integer from a number, Enumeration from a
// value name, String as it is. An absent property, or text that does not
// convert, is ignored (false).
bool SetPropFromText(TObject* o, std::string_view name, const std::wstring& text);
