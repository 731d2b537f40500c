// What a wizard page has, told as data: its step, its title, the texts it
// shows, its number boxes and check boxes, and the skin of its controls.
// CWizardPage runs a page from its description; a page class adds only
// what is particular to it.
#pragma once

#include <cstdint>
#include <vector>

#include "skin/SkinComponent.h"
#include "store/SettingsRecord.h"
#include "wizard/PageTexts.h"
#include "wizard/WizardFlow.h"

namespace velo {

// A number box that edits one of the record's New... fields.
struct NumberBox {
  int control;
  int32_t SettingsRecord::*value;
  // A value below `lowest` (an emptied box included) becomes the
  // recommendation without a message, when the focus leaves the box and when
  // the page is left; kNoFallBack for a box that has none.
  int32_t SettingsRecord::*recommended;
  int32_t lowest;
  // Outside this range the standard range message is shown.
  int32_t rangeLow;
  int32_t rangeHigh;
};

const int32_t kNoFallBack = INT32_MIN;
const int32_t kAnyLow = INT32_MIN;
const int32_t kAnyHigh = INT32_MAX;

// A check box that sets one of the record's New... fields when the page is
// left: `whenChecked` while checked, the other of 0 and 1 otherwise.
struct CheckBox {
  int control;
  int32_t SettingsRecord::*value;
  int32_t whenChecked;
};

// A control and the skin element it is handed.
struct SkinnedControl {
  int control;
  const char* element = skin::kLabel;
};

struct PageDescription {
  int templateId;
  WizardPageIndex index;
  StepTitle title;
  // Set in this order each time the page is shown.
  std::vector<PageText> texts;
  // In the order they are read, which is the order their messages come in.
  std::vector<NumberBox> boxes;
  std::vector<CheckBox> checks;
  // Handed to the skin in this order, after the page itself.
  std::vector<SkinnedControl> skin;
};

}  // namespace velo
