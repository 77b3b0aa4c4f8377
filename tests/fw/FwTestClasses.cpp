#include "FwTestClasses.h"

namespace fwtest {

const TEnumInfo TestModeInfo{"TTestMode", {"tmOff", "tmSlow", "tmFast"}};
const TEnumInfo TestOptionInfo{"TTestOption", {"toA", "toB", "toC"}};

std::vector<TLoadedRecord>& LoadedLog() {
  static std::vector<TLoadedRecord> log;
  return log;
}

std::vector<std::string>& DestroyLog() {
  static std::vector<std::string> log;
  return log;
}

static void SetupRecordingComponent(TClassInfo& c) {
  using T = TRecordingComponent;
  c.Props.push_back(IntProp<T>(
      "Value", [](T* o) { return o->Value(); },
      [](T* o, std::int64_t v) { o->SetValue(static_cast<int>(v)); }, 0));
  c.Props.push_back(ObjectProp<T, TComponent>(
      "Peer", [](T* o) { return o->Peer(); }, [](T* o, TComponent* v) { o->SetPeer(v); }));
  c.Props.push_back(EnumProp<T>(
      "Mode", TestModeInfo, [](T* o) { return static_cast<int>(o->Mode); },
      [](T* o, int v) { o->Mode = static_cast<TTestMode>(v); }, tmOff));
  c.Props.push_back(SetPropOf<T>(
      "Options", TestOptionInfo, [](T* o) { return o->Options; },
      [](T* o, std::uint64_t v) { o->Options = v; }, 0));
  c.Props.push_back(StringProp<T>(
      "Text", [](T* o) { return o->Text; }, [](T* o, const std::wstring& v) { o->Text = v; }));
  c.Props.push_back(EventProp("OnPing", &T::OnPing));
  c.Props.push_back(EventProp("OnCount", &T::OnCount));
}
FW_CLASS_IMPL(TRecordingComponent, TComponent, CreateComponentOf<TRecordingComponent>,
              SetupRecordingComponent)

TRecordingComponent::TRecordingComponent(TComponent* owner) : TComponent(owner) {}

TRecordingComponent::~TRecordingComponent() {
  DestroyLog().push_back(Name());
}

void TRecordingComponent::SetValue(int v) {
  FValue = v;
  LoadingWhenValueSet = HasState(csLoading);
}

void TRecordingComponent::SetPeer(TComponent* peer) {
  if (peer == FPeer) return;
  if (FPeer) FPeer->RemoveFreeNotification(this);
  FPeer = peer;
  if (FPeer) FPeer->FreeNotification(this);
}

void TRecordingComponent::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  Notifications.emplace_back(component, operation);
  if (operation == opRemove && component == FPeer) FPeer = nullptr;
}

void TRecordingComponent::Loaded() {
  TComponent::Loaded();
  ++LoadedCalls;
  TLoadedRecord r;
  r.Name = Name();
  r.PeerSet = FPeer != nullptr;
  r.StillLoading = HasState(csLoading);
  if (Owner())
    for (int i = 0; i < Owner()->ComponentCount(); ++i)
      if (auto* rec = As<TRecordingComponent>(Owner()->Components(i)))
        r.OwnerValues.emplace_back(rec->Name(), rec->Value());
  LoadedLog().push_back(std::move(r));
}

void TRecordingComponent::DefineProperties(TFiler& filer) {
  filer.DefineBinaryProperty(
      "Blob", [this](const std::vector<std::uint8_t>& data) { Blob = data; },
      [this] { return Blob; }, !Blob.empty());
}

static void SetupTestForm(TClassInfo& c) {
  RegisterMethod(c, "FormPing", &TTestForm::FormPing);
  RegisterMethod(c, "FormCount", &TTestForm::FormCount);
}
FW_CLASS_IMPL(TTestForm, TForm, CreateComponentOf<TTestForm>, SetupTestForm)

void TTestForm::FormPing(TObject* sender) {
  ++PingCount;
  LastSender = sender;
}

void TTestForm::FormCount(TObject* sender, int count) {
  LastSender = sender;
  LastCount = count;
}

void RegisterTestClasses() {
  TRecordingComponent::StaticClass();
  TTestForm::StaticClass();
}

} // namespace fwtest
