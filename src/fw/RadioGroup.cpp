#include "fw/RadioGroup.h"

#include "fw/StdProps.h"

#include <algorithm>

FW_CLASS_IMPL(TRadioGroupItems, TStringList, nullptr, NoSetup)

void TRadioGroupItems::Put(int index, const std::wstring& s) {
  TStringList::Put(index, s);
  Changed();
}

void TRadioGroupItems::Insert(int index, const std::wstring& s) {
  TStringList::Insert(index, s);
  Changed();
}

void TRadioGroupItems::Delete(int index) {
  TStringList::Delete(index);
  Changed();
}

void TRadioGroupItems::Clear() {
  TStringList::Clear();
  Changed();
}

static void SetupCustomRadioGroup(TClassInfo& c) {
  using T = TCustomRadioGroup;
  c.Props.push_back(stdprops::ItemsProp<T>());
  c.Props.push_back(IntProp<T>(
      "ItemIndex", [](T* o) { return o->ItemIndex(); },
      [](T* o, std::int64_t v) { o->SetItemIndex(static_cast<int>(v)); }, -1));
  c.Props.push_back(IntProp<T>(
      "Columns", [](T* o) { return o->Columns(); },
      [](T* o, std::int64_t v) { o->SetColumns(static_cast<int>(v)); }, 1));
}
FW_CLASS_IMPL(TCustomRadioGroup, TCustomGroupBox, nullptr, SetupCustomRadioGroup)
FW_CLASS_IMPL(TRadioGroup, TCustomRadioGroup, CreateComponentOf<TRadioGroup>, NoSetup)

TCustomRadioGroup::TCustomRadioGroup(TComponent* owner) : TCustomGroupBox(owner) {
  FItems.OnChanged = [this] { UpdateButtons(); };
  SetTabStop(true);
}

TCustomRadioGroup::~TCustomRadioGroup() {
  FItems.OnChanged = nullptr;
}

void TCustomRadioGroup::Loaded() {
  TCustomGroupBox::Loaded();
  UpdateButtons();
}

// One button per line, made and unmade as the lines change.
void TCustomRadioGroup::UpdateButtons() {
  if (HasState(csLoading) || HasState(csDestroying)) return;
  FUpdating = true;
  const int count = FItems.Count();
  while (static_cast<int>(FButtons.size()) > count) {
    delete FButtons.back();
    FButtons.pop_back();
  }
  while (static_cast<int>(FButtons.size()) < count) {
    auto* b = new TRadioButton(this);
    b->OnClick = TNotifyEvent(this, &TCustomRadioGroup::ButtonClicked);
    b->SetParent(this);
    FButtons.push_back(b);
  }
  for (int i = 0; i < count; ++i) {
    FButtons[i]->SetCaption(FItems.Get(i));
    FButtons[i]->SetChecked(i == FItemIndex);
  }
  FUpdating = false;
  Realign();
}

void TCustomRadioGroup::SetItemIndex(int v) {
  if (HasState(csLoading)) {
    FItemIndex = v;
    return;
  }
  v = std::clamp(v, -1, FItems.Count() - 1);
  if (v == FItemIndex) return;
  if (FItemIndex >= 0 && FItemIndex < ButtonCount()) FButtons[FItemIndex]->SetChecked(false);
  FItemIndex = v;
  if (v >= 0 && v < ButtonCount()) FButtons[v]->SetChecked(true);
}

void TCustomRadioGroup::SetColumns(int v) {
  v = std::clamp(v, 1, 16);
  if (v == FColumns) return;
  FColumns = v;
  Realign();
}

void TCustomRadioGroup::ButtonClicked(TObject* sender) {
  if (FUpdating) return;
  auto it = std::find(FButtons.begin(), FButtons.end(), sender);
  if (it == FButtons.end()) return;
  const int index = static_cast<int>(it - FButtons.begin());
  if (!FButtons[index]->Checked()) return;
  FItemIndex = index;
  Click();
}

void TCustomRadioGroup::AlignControls(RECT& r) {
  TCustomGroupBox::AlignControls(r);
  ArrangeButtons();
}

// Columns of equal width, rows of equal height, filling the frame's inside.
void TCustomRadioGroup::ArrangeButtons() {
  if (FButtons.empty()) return;
  RECT r = ClientRect();
  AdjustClientRect(r);
  const int count = static_cast<int>(FButtons.size());
  const int perColumn = (count + FColumns - 1) / FColumns;
  const int width = std::max<int>((r.right - r.left - 8) / FColumns, 0);
  const int height = std::max<int>((r.bottom - r.top) / perColumn, 0);
  for (int i = 0; i < count; ++i)
    FButtons[i]->SetBounds(r.left + 6 + (i / perColumn) * width, r.top + (i % perColumn) * height,
                           width, height);
}
