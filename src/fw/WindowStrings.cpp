#include "fw/WindowStrings.h"

FW_CLASS_IMPL(TWindowStrings, TStrings, nullptr, NoSetup)

TWindowStrings::TWindowStrings(TWinControl* owner, const TMessages& messages)
    : FOwner(owner), FMsg(messages) {}

HWND TWindowStrings::Window() const {
  return FInWindow ? FOwner->WindowHandle() : nullptr;
}

int TWindowStrings::Count() const {
  if (HWND w = Window()) return static_cast<int>(SendMessageW(w, FMsg.GetCount, 0, 0));
  return FSaved.Count();
}

std::wstring TWindowStrings::Get(int index) const {
  HWND w = Window();
  if (!w) return FSaved.Get(index);
  LRESULT len = SendMessageW(w, FMsg.GetTextLen, index, 0);
  if (len < 0) throw EStringListError("List index out of bounds");
  std::wstring s(static_cast<std::size_t>(len) + 1, L'\0');
  len = SendMessageW(w, FMsg.GetText, index, reinterpret_cast<LPARAM>(s.data()));
  s.resize(len < 0 ? 0 : static_cast<std::size_t>(len));
  return s;
}

void TWindowStrings::Insert(int index, const std::wstring& s) {
  HWND w = Window();
  if (!w) return FSaved.Insert(index, s);
  const int count = Count();
  if (index < 0 || index > count) throw EStringListError("List index out of bounds");
  LRESULT r = index == count
                  ? SendMessageW(w, FMsg.AddString, 0, reinterpret_cast<LPARAM>(s.c_str()))
                  : SendMessageW(w, FMsg.InsertString, index, reinterpret_cast<LPARAM>(s.c_str()));
  if (r < 0) throw EStringListError("Cannot add a line to the list");
  Changed();
}

// One message per line: adding thousands of dropped paths stays quick.
int TWindowStrings::Add(const std::wstring& s) {
  HWND w = Window();
  if (!w) return FSaved.Add(s);
  LRESULT r = SendMessageW(w, FMsg.AddString, 0, reinterpret_cast<LPARAM>(s.c_str()));
  if (r < 0) throw EStringListError("Cannot add a line to the list");
  Changed();
  return static_cast<int>(r);
}

void TWindowStrings::Delete(int index) {
  HWND w = Window();
  if (!w) return FSaved.Delete(index);
  if (SendMessageW(w, FMsg.DeleteString, index, 0) < 0)
    throw EStringListError("List index out of bounds");
  Changed();
}

void TWindowStrings::Clear() {
  if (HWND w = Window()) {
    SendMessageW(w, FMsg.ResetContent, 0, 0);
    Changed();
  } else {
    FSaved.Clear();
  }
}

void TWindowStrings::SetUpdateState(bool updating) {
  if (HWND w = Window()) {
    SendMessageW(w, WM_SETREDRAW, updating ? FALSE : TRUE, 0);
    if (!updating) InvalidateRect(w, nullptr, TRUE);
  }
}

void TWindowStrings::WindowCreated() {
  FInWindow = true;
  HWND w = Window();
  const int n = FSaved.Count();
  if (n == 0) return;
  std::size_t bytes = 0;
  for (int i = 0; i < n; ++i)
    bytes += (FSaved.Get(i).size() + 1) * sizeof(wchar_t);
  SendMessageW(w, FMsg.InitStorage, n, static_cast<LPARAM>(bytes));
  for (int i = 0; i < n; ++i)
    SendMessageW(w, FMsg.AddString, 0, reinterpret_cast<LPARAM>(FSaved.Get(i).c_str()));
  FSaved.Clear();
}

void TWindowStrings::WindowDestroying() {
  if (!FInWindow) return;
  std::vector<std::wstring> lines = ToVector();
  FInWindow = false;
  FSaved.SetLines(lines);
}
