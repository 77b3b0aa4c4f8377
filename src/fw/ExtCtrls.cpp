#include "fw/ExtCtrls.h"

void RegisterExtControls() {
  TPanel::StaticClass();
  TTimer::StaticClass();
}
