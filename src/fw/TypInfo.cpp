#include "fw/TypInfo.h"

#include "core/Convert.h"

const TEnumInfo BooleanInfo{"Boolean", {"False", "True"}};

int TEnumInfo::ValueOf(std::string_view name) const {
  const std::string key = LowerAscii(name);
  for (std::size_t i = 0; i < Values.size(); ++i)
    if (LowerAscii(Values[i]) == key) return static_cast<int>(i);
  return -1;
}

std::string TEnumInfo::NameOf(int value) const {
  if (value < 0 || value >= static_cast<int>(Values.size())) return {};
  return Values[value];
}

bool IdentToInt(const TIdentMap& map, std::string_view ident, std::int64_t& value) {
  const std::string key = LowerAscii(ident);
  for (const auto& [name, v] : map)
    if (LowerAscii(name) == key) {
      value = v;
      return true;
    }
  return false;
}

const std::string* IntToIdent(const TIdentMap& map, std::int64_t value) {
  for (const auto& entry : map)
    if (entry.second == value) return &entry.first;
  return nullptr;
}

bool TPropInfo::IsStored(TObject* o) const {
  if (Stored) return Stored(o);
  switch (Kind) {
  case TPropKind::Integer:
  case TPropKind::Enumeration:
  case TPropKind::Set: return !Default || GetOrd(o) != *Default;
  case TPropKind::String: return !GetStr(o).empty();
  case TPropKind::Method: return GetMethod(o).Assigned();
  case TPropKind::Object: return GetObj(o) != nullptr;
  }
  return true;
}

const TPropInfo* GetPropInfo(const TObject* o, std::string_view name) {
  return o ? o->ClassInfo().FindProp(name) : nullptr;
}

std::int64_t GetIntProp(TObject* o, std::string_view name, std::int64_t fallback) {
  const TPropInfo* p = GetPropInfo(o, name);
  if (!p || p->Kind != TPropKind::Integer) return fallback;
  return p->GetOrd(o);
}

bool SetIntProp(TObject* o, std::string_view name, std::int64_t value) {
  const TPropInfo* p = GetPropInfo(o, name);
  if (!p || p->Kind != TPropKind::Integer || !p->SetOrd) return false;
  p->SetOrd(o, value);
  return true;
}

std::string GetEnumProp(TObject* o, std::string_view name) {
  const TPropInfo* p = GetPropInfo(o, name);
  if (!p || p->Kind != TPropKind::Enumeration) return {};
  return p->Enum->NameOf(static_cast<int>(p->GetOrd(o)));
}

bool SetEnumProp(TObject* o, std::string_view name, std::string_view valueName) {
  const TPropInfo* p = GetPropInfo(o, name);
  if (!p || p->Kind != TPropKind::Enumeration || !p->SetOrd) return false;
  int v = p->Enum->ValueOf(valueName);
  if (v < 0) return false;
  p->SetOrd(o, v);
  return true;
}

std::uint64_t GetSetProp(TObject* o, std::string_view name) {
  const TPropInfo* p = GetPropInfo(o, name);
  if (!p || p->Kind != TPropKind::Set) return 0;
  return static_cast<std::uint64_t>(p->GetOrd(o));
}

std::wstring GetStrProp(TObject* o, std::string_view name) {
  const TPropInfo* p = GetPropInfo(o, name);
  if (!p || p->Kind != TPropKind::String) return {};
  return p->GetStr(o);
}

bool SetStrProp(TObject* o, std::string_view name, const std::wstring& value) {
  const TPropInfo* p = GetPropInfo(o, name);
  if (!p || p->Kind != TPropKind::String || !p->SetStr) return false;
  p->SetStr(o, value);
  return true;
}

TObject* GetObjectProp(TObject* o, std::string_view name, const TClassInfo* cls) {
  const TPropInfo* p = GetPropInfo(o, name);
  if (!p || p->Kind != TPropKind::Object) return nullptr;
  TObject* v = p->GetObj(o);
  if (v && cls && !v->InheritsFrom(*cls)) return nullptr;
  return v;
}

bool SetPropFromText(TObject* o, std::string_view name, const std::wstring& text) {
  const TPropInfo* p = GetPropInfo(o, name);
  if (!p) return false;
  switch (p->Kind) {
  case TPropKind::Integer: {
    std::int32_t v = 0;
    if (!p->SetOrd || !TryStrToInt(Narrow(text), v)) return false;
    p->SetOrd(o, v);
    return true;
  }
  case TPropKind::Enumeration: return SetEnumProp(o, name, Narrow(text));
  case TPropKind::String: return SetStrProp(o, name, text);
  default: return false;
  }
}
