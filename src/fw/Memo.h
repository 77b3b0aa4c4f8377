#pragma once
// The memo: a multi-line edit with optional scroll bars; its Lines are the
// lines of its text.

#include "fw/Edit.h"
#include "fw/Strings.h"

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
extern const TEnumInfo ScrollStyleInfo;

class TCustomMemo;

// The memo's text seen as lines (CR LF between them).
class TMemoLines : public TStrings {
  FW_DECLARE_CLASS(TMemoLines)
public:
  explicit TMemoLines(TCustomMemo* memo) : FMemo(memo) {}
  int Count() const override;
  std::wstring Get(int index) const override;
  void Put(int index, const std::wstring& s) override;
  void Insert(int index, const std::wstring& s) override;
  void Delete(int index) override;
  void Clear() override;

private:
  std::vector<std::wstring> Read() const;
  void Write(const std::vector<std::wstring>& lines);
  TCustomMemo* FMemo;
};

class TCustomMemo : public TCustomEdit {
  FW_DECLARE_CLASS(TCustomMemo)
public:
  explicit TCustomMemo(TComponent* owner);
  TStrings& Lines() { return FLines; }
  void SetLines(TStrings* v) { FLines.Assign(*v); }
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle v);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool v);

protected:
  void CreateParams(TCreateParams& p) override;

private:
  TMemoLines FLines{this};
  TScrollStyle FScrollBars = ssNone;
  bool FWordWrap = true;
};

class TMemo : public TCustomMemo {
  FW_DECLARE_CLASS(TMemo)
public:
  using TCustomMemo::TCustomMemo;
};
