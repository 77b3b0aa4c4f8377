#pragma once
// The main window: the file list, the five renaming modes, the two
// parameters and the button that renames everything listed.

#include "components/FileDropPan.h"
#include "components/HyperLabel.h"
#include "fw/Forms.h"

class TForm_main : public TForm {
  FW_DECLARE_CLASS(TForm_main)
public:
  explicit TForm_main(TComponent* owner);

  TAIFileDropPan* AIFileDropPan1 = nullptr;
  TListBox* ListBox1 = nullptr;
  TLabel* Label1 = nullptr;
  TGroupBox* GroupBox1 = nullptr;
  TLabel* Label2 = nullptr;
  TComboBox* ComboBox1 = nullptr;
  TLabel* Label3 = nullptr;
  TLabel* Label4 = nullptr;
  TLabel* Label5 = nullptr;
  TEdit* Edit1 = nullptr;
  TEdit* Edit2 = nullptr;
  TButton* Button1 = nullptr;
  THyperLabel* HyperLabel1 = nullptr;

  void FormCreate(TObject* sender);
  void ComboBox1Change(TObject* sender);
  void AIFileDropPan1DragFile(TComponent* sender, TStrings* fileList);
  void Button1Click(TObject* sender);

  void Loaded() override;
};

extern TForm_main* Form_main;

// The hint shown for a mode, or null for no mode.
const wchar_t* ModeHint(int mode);

void RegisterMainFormClasses();
