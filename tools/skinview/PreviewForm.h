#pragma once
// The preview form: one of every control kind the framework has, so a skin
// author sees at once how a skin draws them.

#include "fw/Forms.h"
#include "skin/data/WinSkinData.h"

class TPreviewForm : public TForm {
  FW_DECLARE_CLASS(TPreviewForm)
public:
  explicit TPreviewForm(TComponent* owner);
  // Loads the skin archive (the program's own when path is empty); false
  // when it could not be read.
  bool LoadSkin(const std::wstring& path);
  TSkinData* SkinData = nullptr;

private:
  void BuildControls();
  void BuildToolBar();
  void BuildMenus();
  void MenuItemClick(TObject* sender);
  void ToggleCheck(TObject* sender);
  void ShowRightToLeftForm(TObject*);
  TForm* FRightToLeft = nullptr;
  TMemo* FMemo = nullptr;
  TEdit* FEdit = nullptr;
  void ShowMessageBox(TObject*);
  void ShowDialog(TObject*);
};

void RegisterPreviewClasses();
