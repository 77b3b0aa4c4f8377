#include "app/Unit_main.h"

#include "components/Register.h"
#include "core/RenameEngine.h"
#include "skin/data/WinSkinData.h"

TForm_main* Form_main = nullptr;

static void SetupFormMain(TClassInfo& c) {
  RegisterMethod(c, "FormCreate", &TForm_main::FormCreate);
  RegisterMethod(c, "ComboBox1Change", &TForm_main::ComboBox1Change);
  RegisterMethod(c, "AIFileDropPan1DragFile", &TForm_main::AIFileDropPan1DragFile);
  RegisterMethod(c, "Button1Click", &TForm_main::Button1Click);
}
FW_CLASS_IMPL(TForm_main, TForm, CreateComponentOf<TForm_main>, SetupFormMain)

TForm_main::TForm_main(TComponent* owner) : TForm(owner) {}

void TForm_main::Loaded() {
  TForm::Loaded();
  AIFileDropPan1 = Find<TAIFileDropPan>("AIFileDropPan1");
  ListBox1 = Find<TListBox>("ListBox1");
  Label1 = Find<TLabel>("Label1");
  GroupBox1 = Find<TGroupBox>("GroupBox1");
  Label2 = Find<TLabel>("Label2");
  ComboBox1 = Find<TComboBox>("ComboBox1");
  Label3 = Find<TLabel>("Label3");
  Label4 = Find<TLabel>("Label4");
  Label5 = Find<TLabel>("Label5");
  Edit1 = Find<TEdit>("Edit1");
  Edit2 = Find<TEdit>("Edit2");
  Button1 = Find<TButton>("Button1");
  HyperLabel1 = Find<THyperLabel>("HyperLabel1");
  if (!AIFileDropPan1 || !ListBox1 || !ComboBox1 || !Label3 || !Edit1 || !Edit2 || !Button1 ||
      !HyperLabel1)
    throw EFrameworkError("The main window's description lacks some of its controls");
}

void TForm_main::FormCreate(TObject*) {
  // The hover font follows the label's own font, underlined in blue.
  HyperLabel1->SetHoverFont(HyperLabel1->Font());
  TFont& hover = HyperLabel1->HoverFont();
  hover.SetStyle(hover.Style() | (1u << fsUnderline));
  hover.SetColor(0xFF0000);
}

const wchar_t* ModeHint(int mode) {
  switch (mode) {
  case rmPrefix:
  case rmSuffix: return L"参数1为追加内容";
  case rmNumbered: return L"参数1文件名，%d代替序号;参数2为起始序号";
  case rmReplace: return L"参数1为要替换的内容，参数2为替换成的内容";
  case rmReplaceExt: return L"参数1为要替换成的扩展名";
  default: return nullptr;
  }
}

void TForm_main::ComboBox1Change(TObject*) {
  if (const wchar_t* hint = ModeHint(ComboBox1->ItemIndex())) Label3->SetCaption(hint);
}

void TForm_main::AIFileDropPan1DragFile(TComponent*, TStrings* fileList) {
  TStrings& items = ListBox1->Items();
  items.BeginUpdate();
  for (int i = 0; i < fileList->Count(); ++i)
    items.Add(fileList->Get(i));
  items.EndUpdate();
}

namespace {

// The list box's items as the rename engine sees them: paths in the ANSI
// code page, as the shell delivered them.
class TListBoxRenameList : public IRenameList {
public:
  explicit TListBoxRenameList(TStrings& items) : FItems(items) {}
  int Count() const override { return FItems.Count(); }
  std::string Item(int index) const override { return WideToAnsi(FItems.Get(index)); }
  void Clear() override { FItems.Clear(); }

private:
  TStrings& FItems;
};

} // namespace

void TForm_main::Button1Click(TObject*) {
  TListBoxRenameList list(ListBox1->Items());
  // Conversion and format errors end the handler here; the application shows
  // them and the list stays as it is.
  RunRename(SystemCodePage(), ComboBox1->ItemIndex(), WideToAnsi(Edit1->Text()),
            WideToAnsi(Edit2->Text()), list,
            [](const std::string& oldPath, const std::string& newPath) {
              MoveFileA(oldPath.c_str(), newPath.c_str());
            });
}

void RegisterMainFormClasses() {
  RegisterOwnComponents();
  RegisterSkinDataClasses();
  TForm_main::StaticClass();
}
