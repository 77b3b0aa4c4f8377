#pragma once
// Ordered lists of strings: the abstract TStrings every list-like property
// exposes, and TStringList, which keeps its lines itself.

#include "fw/Classes.h"

#include <string>
#include <vector>

class TStrings : public TPersistent {
  FW_DECLARE_CLASS(TStrings)
public:
  virtual int Count() const = 0;
  virtual std::wstring Get(int index) const = 0;
  virtual void Put(int index, const std::wstring& s);
  virtual void Insert(int index, const std::wstring& s) = 0;
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;

  // Appends; returns the new line's index.
  virtual int Add(const std::wstring& s);
  void AddStrings(const TStrings& other);
  void Assign(const TPersistent& source) override;
  std::vector<std::wstring> ToVector() const;
  void SetLines(const std::vector<std::wstring>& lines);
  // The lines joined with CR LF (a final one included), and back.
  std::wstring Text() const;
  void SetText(const std::wstring& text);
  // Position of a line equal to s ignoring the case of ASCII letters, or -1.
  int IndexOf(const std::wstring& s) const;
  // For lines of the form name=value.
  std::wstring Names(int index) const;
  std::wstring ValueFromIndex(int index) const;

  // Nested updates: the list may hold back its notifications (a list box
  // stops drawing) until the last EndUpdate.
  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }
  TNotifyEvent OnChange;

protected:
  virtual void SetUpdateState(bool updating) { (void)updating; }
  void Changed();

private:
  int FUpdateCount = 0;
};

class TStringList : public TStrings {
  FW_DECLARE_CLASS(TStringList)
public:
  TStringList() = default;
  explicit TStringList(std::vector<std::wstring> lines) : FItems(std::move(lines)) {}
  int Count() const override { return static_cast<int>(FItems.size()); }
  std::wstring Get(int index) const override;
  void Put(int index, const std::wstring& s) override;
  void Insert(int index, const std::wstring& s) override;
  void Delete(int index) override;
  void Clear() override;

private:
  std::vector<std::wstring> FItems;
};

class EStringListError : public EFrameworkError {
public:
  using EFrameworkError::EFrameworkError;
};
