#include "framework/DataExchange.h"

#include "framework/ControlInitData.h"
#include "framework/Dialog.h"
#include "framework/HostedControl.h"
#include "framework/IntegerText.h"
#include "framework/Window.h"

namespace velo {

const char kEnterIntegerMessage[] = "Please enter an integer.";

// Built without printf: its formatting machinery would be linked in for this
// one message.
std::string EnterIntegerBetweenMessage(int64_t minimum, int64_t maximum) {
  return "Please enter an integer between " + std::to_string(minimum) +
         " and " + std::to_string(maximum) + ".";
}

DataExchange::DataExchange(Dialog& dialog, bool saveAndValidate,
                           int onlyControl)
    : dialog_(dialog), saving_(saveAndValidate), onlyControl_(onlyControl) {}

bool DataExchange::Applies(int controlId) const {
  return !Failed() && (onlyControl_ == 0 || onlyControl_ == controlId);
}

bool DataExchange::ReadInt64(int controlId, int64_t minimum, int64_t maximum,
                             int64_t* value) {
  int64_t read;
  if (!ParseWholeNumber(WindowText(dialog_.Item(controlId)), &read) ||
      read < minimum || read > maximum) {
    Fail(controlId, kNotAnInteger, kEnterIntegerMessage);
    return false;
  }
  *value = read;
  return true;
}

void DataExchange::Int(int controlId, int32_t& value) {
  if (!Applies(controlId)) return;
  if (!saving_) {
    SetWindowTextString(dialog_.Item(controlId), std::to_string(value));
    return;
  }
  int64_t read;
  if (ReadInt64(controlId, INT32_MIN, INT32_MAX, &read))
    value = static_cast<int32_t>(read);
}

void DataExchange::IntInRange(int controlId, int32_t& value, int32_t minimum,
                              int32_t maximum) {
  if (!Applies(controlId)) return;
  Int(controlId, value);
  if (saving_ && !Failed() && (value < minimum || value > maximum))
    Fail(controlId, kOutOfRange, EnterIntegerBetweenMessage(minimum, maximum));
}

void DataExchange::Bind(int controlId, Control& control) {
  if (!Applies(controlId) || control.IsAttached()) return;
  control.Attach(dialog_.Item(controlId));
}

void DataExchange::Host(int placeholderId, HostedControl& control) {
  if (saving_ || !Applies(placeholderId) || !dialog_.Adopt(control)) return;
  ControlInitData data = TemplateInitData(dialog_.TemplateId());
  control.Create(dialog_.Hwnd(), placeholderId, data.StreamOf(placeholderId));
}

void DataExchange::Fail(int controlId, ExchangeFailure failure,
                        const std::string& message) {
  failure_ = failure;
  MessageBoxA(dialog_.Hwnd(), message.c_str(), "Velocine",
              MB_OK | MB_ICONEXCLAMATION);
  HWND box = dialog_.Item(controlId);
  SetFocus(box);
  SendMessageA(box, EM_SETSEL, 0, -1);
}

}  // namespace velo
