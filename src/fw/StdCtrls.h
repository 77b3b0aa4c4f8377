#pragma once
// The standard controls, one kind per header: label, edit, push button,
// list box, combo box and group box.

#include "fw/Button.h"
#include "fw/ComboBox.h"
#include "fw/Edit.h"
#include "fw/GroupBox.h"
#include "fw/Label.h"
#include "fw/ListBox.h"

void RegisterStdControls();
