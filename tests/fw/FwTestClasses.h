#pragma once
// Classes the framework tests read from stored descriptions: a component
// with one property of every kind, a binary property of its own and a record
// of what happened to it; and a form with methods events bind to by name.

#include "fw/FormStream.h"
#include "fw/Forms.h"

#include <string>
#include <vector>

namespace fwtest {

enum TTestMode { tmOff, tmSlow, tmFast };
extern const TEnumInfo TestModeInfo;
extern const TEnumInfo TestOptionInfo; // toA, toB, toC

using TCountEvent = TEvent<TObject*, int>;

class TRecordingComponent : public TComponent {
  FW_DECLARE_CLASS(TRecordingComponent)
public:
  explicit TRecordingComponent(TComponent* owner);
  ~TRecordingComponent() override;

  int Value() const { return FValue; }
  void SetValue(int v);
  TComponent* Peer() const { return FPeer; }
  void SetPeer(TComponent* peer);

  TTestMode Mode = tmOff;
  std::uint64_t Options = 0;
  std::wstring Text;
  std::vector<std::uint8_t> Blob;
  TNotifyEvent OnPing;
  TCountEvent OnCount;

  bool LoadingWhenValueSet = false;
  int LoadedCalls = 0;
  std::vector<std::pair<TComponent*, TOperation>> Notifications;

  void Notification(TComponent* component, TOperation operation) override;
  void Loaded() override;
  void DefineProperties(TFiler& filer) override;

private:
  int FValue = 0;
  TComponent* FPeer = nullptr;
};

// What every TRecordingComponent saw when its Loaded ran: its name, the
// Value of each component its owner had then, and its own loading state.
struct TLoadedRecord {
  std::string Name;
  std::vector<std::pair<std::string, int>> OwnerValues;
  bool PeerSet = false;
  bool StillLoading = false;
};
std::vector<TLoadedRecord>& LoadedLog();
// Names of TRecordingComponents in the order they were destroyed.
std::vector<std::string>& DestroyLog();

class TTestForm : public TForm {
  FW_DECLARE_CLASS(TTestForm)
public:
  using TForm::TForm;
  void FormPing(TObject* sender);
  void FormCount(TObject* sender, int count);
  int PingCount = 0;
  TObject* LastSender = nullptr;
  int LastCount = 0;
};

// Makes the classes known to the form reader.
void RegisterTestClasses();

} // namespace fwtest
