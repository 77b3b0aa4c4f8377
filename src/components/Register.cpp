#include "components/Register.h"

#include "components/FileDropPan.h"
#include "components/HyperLabel.h"

void RegisterOwnComponents() {
  TAIFileDropPan::StaticClass();
  THyperLabel::StaticClass();
}
