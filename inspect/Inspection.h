// The status inspection: what the dialog shows and what it may offer, decided
// from the platform's version record and two registry values.
#pragma once

#include "inspect/SystemServices.h"
#include "inspect/UpgradeState.h"

class DialogOperations;

enum ButtonSetting {
  BUTTON_UNCHANGED,  // keeps the state the dialog template gave it (enabled)
  BUTTON_ENABLED,
  BUTTON_DISABLED,
};

struct FieldWrite {
  int controlId;
  char text[32];  // ANSI code page 936
};

struct InspectionResult {
  FieldWrite fieldWrites[4];  // in the order they are made
  int fieldWriteCount;
  UpgradeState state;
  ButtonSetting button;
  // On a system that cannot be upgraded the button is switched off before
  // any field is written; on Windows 2000 after them.
  bool buttonBeforeFields;
};

// Makes the registry reads and closes every key it opened, on every path.
InspectionResult InspectUpgradeStatus(SystemServices& services);

// The field writes in order, and the button setting before or after them.
void ApplyInspection(const InspectionResult& result, DialogOperations& dialog);
