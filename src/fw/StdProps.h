#pragma once
// Published properties that several standard controls share.

#include "fw/Controls.h"
#include "fw/Strings.h"

namespace stdprops {

template <class T> TPropInfo ItemsProp() {
  auto p = ObjectProp<T, TStrings>(
      "Items", [](T* o) { return &o->Items(); },
      [](T* o, TStrings* v) {
        if (v) o->SetItems(v);
      });
  p.Stored = [](TObject* o) { return static_cast<T*>(o)->Items().Count() > 0; };
  return p;
}

template <class T> TPropInfo TextProp() {
  return StringProp<T>(
      "Text", [](T* o) { return o->Text(); }, [](T* o, const std::wstring& v) { o->SetText(v); });
}

} // namespace stdprops
