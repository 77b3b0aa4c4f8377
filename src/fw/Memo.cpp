#include "fw/Memo.h"

const TEnumInfo ScrollStyleInfo{"TScrollStyle", {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"}};

FW_CLASS_IMPL(TMemoLines, TStrings, nullptr, NoSetup)

std::vector<std::wstring> TMemoLines::Read() const {
  std::vector<std::wstring> lines;
  const std::wstring text = FMemo->Text();
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(L'\n', start);
    if (end == std::wstring::npos) end = text.size();
    std::wstring line = text.substr(start, end - start);
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

// A break after the last line starts no line of its own, so an empty last
// line is written with one more break, or it would be lost.
void TMemoLines::Write(const std::vector<std::wstring>& lines) {
  std::wstring text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i) text += L"\r\n";
    text += lines[i];
  }
  if (!lines.empty() && lines.back().empty()) text += L"\r\n";
  FMemo->SetText(text);
}

int TMemoLines::Count() const {
  return static_cast<int>(Read().size());
}

std::wstring TMemoLines::Get(int index) const {
  const auto lines = Read();
  if (index < 0 || index >= static_cast<int>(lines.size()))
    throw EStringListError("List index out of bounds");
  return lines[index];
}

void TMemoLines::Put(int index, const std::wstring& s) {
  auto lines = Read();
  if (index < 0 || index >= static_cast<int>(lines.size()))
    throw EStringListError("List index out of bounds");
  lines[index] = s;
  Write(lines);
}

void TMemoLines::Insert(int index, const std::wstring& s) {
  auto lines = Read();
  if (index < 0 || index > static_cast<int>(lines.size()))
    throw EStringListError("List index out of bounds");
  lines.insert(lines.begin() + index, s);
  Write(lines);
}

void TMemoLines::Delete(int index) {
  auto lines = Read();
  if (index < 0 || index >= static_cast<int>(lines.size()))
    throw EStringListError("List index out of bounds");
  lines.erase(lines.begin() + index);
  Write(lines);
}

void TMemoLines::Clear() {
  FMemo->SetText(L"");
}

static void SetupCustomMemo(TClassInfo& c) {
  using T = TCustomMemo;
  auto lines = ObjectProp<T, TStrings>(
      "Lines", [](T* o) { return &o->Lines(); },
      [](T* o, TStrings* v) {
        if (v) o->SetLines(v);
      });
  lines.Stored = [](TObject* o) { return static_cast<T*>(o)->Lines().Count() > 0; };
  c.Props.push_back(lines);
  c.Props.push_back(EnumProp<T>(
      "ScrollBars", ScrollStyleInfo, [](T* o) { return static_cast<int>(o->ScrollBars()); },
      [](T* o, int v) { o->SetScrollBars(static_cast<TScrollStyle>(v)); }, ssNone));
  c.Props.push_back(BoolProp<T>(
      "WordWrap", [](T* o) { return o->WordWrap(); }, [](T* o, bool v) { o->SetWordWrap(v); },
      true));
}
FW_CLASS_IMPL(TCustomMemo, TCustomEdit, nullptr, SetupCustomMemo)
FW_CLASS_IMPL(TMemo, TCustomMemo, CreateComponentOf<TMemo>, NoSetup)

TCustomMemo::TCustomMemo(TComponent* owner) : TCustomEdit(owner) {
  SetBounds(0, 0, 185, 89);
}

void TCustomMemo::CreateParams(TCreateParams& p) {
  TCustomEdit::CreateParams(p);
  p.Style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
  if (FWordWrap && FScrollBars != ssHorizontal && FScrollBars != ssBoth) p.Style &= ~ES_AUTOHSCROLL;
  if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) p.Style |= WS_HSCROLL;
  if (FScrollBars == ssVertical || FScrollBars == ssBoth) p.Style |= WS_VSCROLL;
}

void TCustomMemo::SetScrollBars(TScrollStyle v) {
  if (v == FScrollBars) return;
  FScrollBars = v;
  RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool v) {
  if (v == FWordWrap) return;
  FWordWrap = v;
  RecreateWnd();
}
