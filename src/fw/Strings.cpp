#include "fw/Strings.h"

#include "fw/TextConv.h"

FW_CLASS_IMPL(TStrings, TPersistent, nullptr, NoSetup)

void TStrings::Put(int index, const std::wstring& s) {
  BeginUpdate();
  Delete(index);
  Insert(index, s);
  EndUpdate();
}

int TStrings::Add(const std::wstring& s) {
  int n = Count();
  Insert(n, s);
  return n;
}

void TStrings::AddStrings(const TStrings& other) {
  BeginUpdate();
  for (int i = 0; i < other.Count(); ++i)
    Add(other.Get(i));
  EndUpdate();
}

void TStrings::Assign(const TPersistent& source) {
  const auto* s = As<TStrings>(&source);
  if (!s) return TPersistent::Assign(source);
  if (s == this) return;
  BeginUpdate();
  Clear();
  AddStrings(*s);
  EndUpdate();
}

std::vector<std::wstring> TStrings::ToVector() const {
  std::vector<std::wstring> v;
  v.reserve(Count());
  for (int i = 0; i < Count(); ++i)
    v.push_back(Get(i));
  return v;
}

void TStrings::SetLines(const std::vector<std::wstring>& lines) {
  BeginUpdate();
  Clear();
  for (const auto& l : lines)
    Add(l);
  EndUpdate();
}

std::wstring TStrings::Text() const {
  std::wstring t;
  for (int i = 0; i < Count(); ++i)
    t += Get(i) + L"\r\n";
  return t;
}

void TStrings::SetText(const std::wstring& text) {
  std::vector<std::wstring> lines;
  std::wstring line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    wchar_t c = text[i];
    if (c == L'\r' || c == L'\n') {
      lines.push_back(line);
      line.clear();
      if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  SetLines(lines);
}

int TStrings::IndexOf(const std::wstring& s) const {
  const std::wstring key = UpperAscii(s);
  for (int i = 0; i < Count(); ++i)
    if (UpperAscii(Get(i)) == key) return i;
  return -1;
}

std::wstring TStrings::Names(int index) const {
  std::wstring s = Get(index);
  std::size_t p = s.find(L'=');
  return p == std::wstring::npos ? std::wstring() : s.substr(0, p);
}

std::wstring TStrings::ValueFromIndex(int index) const {
  std::wstring s = Get(index);
  std::size_t p = s.find(L'=');
  return p == std::wstring::npos ? std::wstring() : s.substr(p + 1);
}

void TStrings::BeginUpdate() {
  if (FUpdateCount++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0) {
    SetUpdateState(false);
    Changed();
  }
}

void TStrings::Changed() {
  if (FUpdateCount == 0 && OnChange) OnChange(this);
}

// ---------------------------------------------------------------------------

FW_CLASS_IMPL(
    TStringList, TStrings, [](TComponent*) -> TObject* { return new TStringList; }, NoSetup)

std::wstring TStringList::Get(int index) const {
  if (index < 0 || index >= Count()) throw EStringListError("List index out of bounds");
  return FItems[index];
}

void TStringList::Put(int index, const std::wstring& s) {
  if (index < 0 || index >= Count()) throw EStringListError("List index out of bounds");
  FItems[index] = s;
  Changed();
}

void TStringList::Insert(int index, const std::wstring& s) {
  if (index < 0 || index > Count()) throw EStringListError("List index out of bounds");
  FItems.insert(FItems.begin() + index, s);
  Changed();
}

void TStringList::Delete(int index) {
  if (index < 0 || index >= Count()) throw EStringListError("List index out of bounds");
  FItems.erase(FItems.begin() + index);
  Changed();
}

void TStringList::Clear() {
  if (FItems.empty()) return;
  FItems.clear();
  Changed();
}
