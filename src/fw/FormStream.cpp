#include "fw/FormStream.h"

#include "core/FormText.h"
#include "fw/Controls.h"
#include "fw/Strings.h"
#include "fw/TypInfo.h"

#include <set>

EFormReadError::EFormReadError(int line, const std::string& message)
    : EFrameworkError("Error reading form, line " + std::to_string(line) + ": " + message),
      FLine(line) {}

namespace {

// --- Reading ------------------------------------------------------------------

class TBinaryReaderFiler : public TFiler {
public:
  TBinaryReaderFiler(const std::string& name, const std::vector<std::uint8_t>& data)
      : FName(LowerAscii(name)), FData(data) {}
  void DefineBinaryProperty(const std::string& name, const TReadBinary& read, const TWriteBinary&,
                            bool) override {
    if (!FFound && LowerAscii(name) == FName) {
      FFound = true;
      read(FData);
    }
  }
  bool Found() const { return FFound; }

private:
  std::string FName;
  const std::vector<std::uint8_t>& FData;
  bool FFound = false;
};

struct TFixup {
  TObject* Instance;
  const TPropInfo* Prop;
  std::string Name;
  int Line;
};

class TFormReader {
public:
  explicit TFormReader(TComponent* root) : FRoot(root) {}

  void Read(const TFormObject& node) {
    FRoot->BeginLoading();
    FLoaded.push_back(FRoot);
    try {
      if (!node.Name.empty()) FRoot->SetName(node.Name);
    } catch (const EFrameworkError& e) {
      Fail(node.Line, e.what());
    }
    ReadProperties(FRoot, node.Props);
    for (const auto& child : node.Children)
      ReadObject(child, FRoot);
    ResolveFixups();
    for (TComponent* c : FLoaded)
      c->Loaded();
  }

private:
  [[noreturn]] static void Fail(int line, const std::string& message) {
    throw EFormReadError(line, message);
  }

  void ReadObject(const TFormObject& node, TComponent* container) {
    const TClassInfo* cls = FindComponentClass(node.ClassName);
    if (!cls || !cls->Create) Fail(node.Line, "class " + node.ClassName + " not found");
    TComponent* c = node.Inherited ? FRoot->FindComponent(node.Name) : nullptr;
    if (!c) {
      TObject* made = cls->Create(FRoot);
      c = As<TComponent>(made);
      if (!c) {
        delete made;
        Fail(node.Line, node.ClassName + " is not a component");
      }
    }
    c->BeginLoading();
    FLoaded.push_back(c);
    try {
      if (!node.Name.empty()) c->SetName(node.Name);
    } catch (const EFrameworkError& e) {
      Fail(node.Line, e.what());
    }
    if (auto* control = As<TControl>(c)) {
      auto* parent = As<TWinControl>(container);
      if (!parent) Fail(node.Line, node.Name + " needs a windowed parent");
      control->SetParent(parent);
    } else if (container != FRoot && !c->SetParentComponent(container)) {
      Fail(node.Line, node.ClassName + " cannot sit inside " + container->ClassName());
    }
    ReadProperties(c, node.Props);
    for (const auto& child : node.Children)
      ReadObject(child, c);
  }

  void ReadProperties(TObject* instance, const std::vector<TFormProperty>& props) {
    for (const auto& p : props) {
      try {
        SetPath(instance, p.Name, p.Value, p.Line);
      } catch (const EFormReadError&) {
        throw;
      } catch (const std::exception& e) {
        Fail(p.Line, "property " + p.Name + ": " + e.what());
      }
    }
  }

  void SetPath(TObject* instance, const std::string& path, const TFormValue& v, int line) {
    std::size_t dot = path.find('.');
    if (dot != std::string::npos) {
      const std::string head = path.substr(0, dot), rest = path.substr(dot + 1);
      const TPropInfo* p = GetPropInfo(instance, head);
      if (!p || p->Kind != TPropKind::Object) Fail(line, "property " + head + " does not exist");
      TObject* sub = p->GetObj(instance);
      if (!sub) Fail(line, "property " + head + " has no object");
      if (auto* strings = As<TStrings>(sub); strings && LowerAscii(rest) == "strings")
        return SetStrings(*strings, v, line);
      return SetPath(sub, rest, v, line);
    }
    const TPropInfo* p = GetPropInfo(instance, path);
    if (!p) return SetDefined(instance, path, v, line);
    SetValue(instance, *p, v, line);
  }

  void SetDefined(TObject* instance, const std::string& name, const TFormValue& v, int line) {
    auto* persistent = As<TPersistent>(instance);
    if (persistent && v.Kind == TFormValue::Binary) {
      TBinaryReaderFiler filer(name, v.Bytes);
      persistent->DefineProperties(filer);
      if (filer.Found()) return;
    }
    Fail(line, "property " + name + " does not exist");
  }

  static void SetStrings(TStrings& strings, const TFormValue& v, int line) {
    if (v.Kind != TFormValue::List) Fail(line, "a list of strings is expected");
    std::vector<std::wstring> lines;
    for (const auto& item : v.Items) {
      if (item.Kind != TFormValue::String) Fail(item.Line, "a string is expected");
      lines.push_back(Widen(item.Text));
    }
    strings.SetLines(lines);
  }

  void SetValue(TObject* instance, const TPropInfo& p, const TFormValue& v, int line) {
    switch (p.Kind) {
    case TPropKind::Integer: return SetInteger(instance, p, v, line);
    case TPropKind::Enumeration: {
      int value = v.Kind == TFormValue::Ident ? p.Enum->ValueOf(v.Text) : -1;
      if (value < 0) Fail(line, "invalid value for " + p.Name);
      if (p.SetOrd) p.SetOrd(instance, value);
      return;
    }
    case TPropKind::Set: {
      if (v.Kind != TFormValue::Set) Fail(line, "a set is expected for " + p.Name);
      std::uint64_t bits = 0;
      for (const auto& n : v.Names) {
        int e = p.Enum->ValueOf(n);
        if (e < 0 || e >= 64) Fail(line, "invalid set member " + n);
        bits |= std::uint64_t(1) << e;
      }
      if (p.SetOrd) p.SetOrd(instance, static_cast<std::int64_t>(bits));
      return;
    }
    case TPropKind::String:
      if (v.Kind != TFormValue::String) Fail(line, "a string is expected for " + p.Name);
      if (p.SetStr) p.SetStr(instance, Widen(v.Text));
      return;
    case TPropKind::Object: return SetObject(instance, p, v, line);
    case TPropKind::Method: return SetMethod(instance, p, v, line);
    }
  }

  static void SetInteger(TObject* instance, const TPropInfo& p, const TFormValue& v, int line) {
    std::int64_t value = 0;
    if (v.Kind == TFormValue::Integer)
      value = v.Int;
    else if (!(v.Kind == TFormValue::Ident && p.Idents && IdentToInt(*p.Idents, v.Text, value)))
      Fail(line, "invalid value for " + p.Name);
    if (value < INT32_MIN || value > UINT32_MAX) Fail(line, "value out of range for " + p.Name);
    if (p.SetOrd) p.SetOrd(instance, value);
  }

  void SetObject(TObject* instance, const TPropInfo& p, const TFormValue& v, int line) {
    TObject* current = p.GetObj(instance);
    if (auto* strings = As<TStrings>(current); strings && v.Kind == TFormValue::List)
      return SetStrings(*strings, v, line);
    if (v.Kind == TFormValue::Ident && p.SetObj) {
      FFixups.push_back({instance, &p, v.Text, line});
      return;
    }
    Fail(line, "invalid value for " + p.Name);
  }

  void SetMethod(TObject* instance, const TPropInfo& p, const TFormValue& v, int line) {
    if (v.Kind != TFormValue::Ident) Fail(line, "a method name is expected for " + p.Name);
    const TNamedMethod* m = FRoot->ClassInfo().FindMethod(v.Text);
    if (!m) Fail(line, "method " + v.Text + " not found in " + FRoot->ClassName());
    TMethod bound = m->Method;
    bound.Data = FRoot;
    if (!p.SetMethod(instance, bound)) Fail(line, "method " + v.Text + " does not suit " + p.Name);
  }

  void ResolveFixups() {
    for (const auto& f : FFixups) {
      TComponent* target = FRoot->FindComponent(f.Name);
      if (!target && LowerAscii(f.Name) == LowerAscii(FRoot->Name())) target = FRoot;
      if (!target) Fail(f.Line, "component " + f.Name + " not found");
      if (f.Prop->ObjectClass && !target->InheritsFrom(*f.Prop->ObjectClass))
        Fail(f.Line, f.Name + " is not a " + f.Prop->ObjectClass->Name);
      f.Prop->SetObj(f.Instance, target);
    }
  }

  TComponent* FRoot;
  std::vector<TComponent*> FLoaded;
  std::vector<TFixup> FFixups;
};

// --- Writing ------------------------------------------------------------------

class TBinaryWriterFiler : public TFiler {
public:
  void DefineBinaryProperty(const std::string& name, const TReadBinary&, const TWriteBinary& write,
                            bool hasData) override {
    if (hasData) Found.push_back({name, write()});
  }
  std::vector<std::pair<std::string, std::vector<std::uint8_t>>> Found;
};

// The properties of a class in declaration order, base class first; a
// property a derived class declares again takes the base's place.
std::vector<const TPropInfo*> PropsInOrder(const TClassInfo& cls) {
  std::vector<const TClassInfo*> chain;
  for (const TClassInfo* c = &cls; c; c = c->Parent)
    chain.insert(chain.begin(), c);
  std::vector<const TPropInfo*> out;
  std::set<std::string> seen;
  for (const TClassInfo* c : chain)
    for (const auto& p : c->Props) {
      const std::string key = LowerAscii(p.Name);
      if (!seen.insert(key).second) continue;
      out.push_back(cls.FindProp(p.Name)); // the most derived declaration
    }
  return out;
}

class TFormWriter {
public:
  explicit TFormWriter(TComponent* root) : FRoot(root) {}

  TFormObject Write() { return WriteObject(FRoot); }

private:
  TFormObject WriteObject(TComponent* c) {
    TFormObject node;
    node.Name = c->Name();
    node.ClassName = c->ClassName();
    WriteProperties(c, "", node.Props);
    for (TComponent* child : Children(c))
      node.Children.push_back(WriteObject(child));
    return node;
  }

  // Controls nest under their parent; other components under the root.
  std::vector<TComponent*> Children(TComponent* c) const {
    std::vector<TComponent*> out;
    if (auto* w = As<TWinControl>(c))
      for (int i = 0; i < w->ControlCount(); ++i)
        if (w->Controls(i)->Owner() == FRoot) out.push_back(w->Controls(i));
    if (c == FRoot)
      for (int i = 0; i < FRoot->ComponentCount(); ++i) {
        TComponent* o = FRoot->Components(i);
        if (!o->Is<TControl>() && !o->HasParent()) out.push_back(o);
      }
    std::vector<TComponent*> nested;
    c->GetChildren(nested);
    for (TComponent* o : nested)
      if (o->Owner() == FRoot) out.push_back(o);
    return out;
  }

  void WriteProperties(TObject* o, const std::string& prefix, std::vector<TFormProperty>& out) {
    for (const TPropInfo* p : PropsInOrder(o->ClassInfo())) {
      if (!p->IsStored(o)) continue;
      TFormProperty fp;
      fp.Name = prefix + p->Name;
      switch (p->Kind) {
      case TPropKind::Integer: {
        std::int64_t v = p->GetOrd(o);
        const std::string* ident = p->Idents ? IntToIdent(*p->Idents, v) : nullptr;
        if (ident) {
          fp.Value.Kind = TFormValue::Ident;
          fp.Value.Text = *ident;
        } else {
          fp.Value.Int = v;
        }
        break;
      }
      case TPropKind::Enumeration:
        fp.Value.Kind = TFormValue::Ident;
        fp.Value.Text = p->Enum->NameOf(static_cast<int>(p->GetOrd(o)));
        break;
      case TPropKind::Set: {
        fp.Value.Kind = TFormValue::Set;
        auto bits = static_cast<std::uint64_t>(p->GetOrd(o));
        for (std::size_t i = 0; i < p->Enum->Values.size() && i < 64; ++i)
          if (bits >> i & 1) fp.Value.Names.push_back(p->Enum->Values[i]);
        break;
      }
      case TPropKind::String:
        fp.Value.Kind = TFormValue::String;
        fp.Value.Text = Narrow(p->GetStr(o));
        break;
      case TPropKind::Method: {
        TMethod m = p->GetMethod(o);
        const TNamedMethod* named = FRoot->ClassInfo().FindMethodByCode(m.Code);
        if (!named || m.Data != FRoot) continue;
        fp.Value.Kind = TFormValue::Ident;
        fp.Value.Text = named->Name;
        break;
      }
      case TPropKind::Object:
        if (!WriteObjectProp(o, *p, prefix, fp, out)) continue;
        break;
      }
      out.push_back(std::move(fp));
    }
    if (auto* persistent = As<TPersistent>(o)) {
      TBinaryWriterFiler filer;
      persistent->DefineProperties(filer);
      for (auto& [name, bytes] : filer.Found) {
        TFormProperty fp;
        fp.Name = prefix + name;
        fp.Value.Kind = TFormValue::Binary;
        fp.Value.Bytes = std::move(bytes);
        out.push_back(std::move(fp));
      }
    }
  }

  // False when the property is written as nested properties (or not at all).
  bool WriteObjectProp(TObject* o, const TPropInfo& p, const std::string& prefix, TFormProperty& fp,
                       std::vector<TFormProperty>& out) {
    TObject* v = p.GetObj(o);
    if (auto* strings = As<TStrings>(v)) {
      fp.Name += ".Strings";
      fp.Value.Kind = TFormValue::List;
      for (int i = 0; i < strings->Count(); ++i) {
        TFormValue item;
        item.Kind = TFormValue::String;
        item.Text = Narrow(strings->Get(i));
        fp.Value.Items.push_back(std::move(item));
      }
      return true;
    }
    if (auto* component = As<TComponent>(v)) {
      fp.Value.Kind = TFormValue::Ident;
      fp.Value.Text = component->Name();
      return !component->Name().empty();
    }
    if (v) WriteProperties(v, prefix + p.Name + ".", out);
    return false;
  }

  TComponent* FRoot;
};

} // namespace

void ReadComponentText(TComponent* root, std::string_view text) {
  TFormObject node;
  try {
    node = ParseFormText(text);
  } catch (const EFormTextError& e) {
    throw EFormReadError(e.Line(), e.Message());
  }
  TFormReader(root).Read(node);
}

bool ReadComponentResource(TComponent* root, const wchar_t* resourceName) {
  HMODULE module = FrameworkInstance();
  HRSRC info = FindResourceW(module, resourceName, MAKEINTRESOURCEW(10)); // RT_RCDATA
  if (!info) return false;
  HGLOBAL data = LoadResource(module, info);
  const void* bytes = data ? LockResource(data) : nullptr;
  if (!bytes) return false;
  ReadComponentText(
      root, std::string_view(static_cast<const char*>(bytes), SizeofResource(module, info)));
  return true;
}

std::string WriteComponentText(TComponent* root) {
  return WriteFormText(TFormWriter(root).Write());
}
