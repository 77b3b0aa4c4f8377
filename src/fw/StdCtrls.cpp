#include "fw/StdCtrls.h"

#include "fw/Strings.h"

void RegisterStdControls() {
  TLabel::StaticClass();
  TEdit::StaticClass();
  TButton::StaticClass();
  TListBox::StaticClass();
  TComboBox::StaticClass();
  TGroupBox::StaticClass();
  TStringList::StaticClass();
}
