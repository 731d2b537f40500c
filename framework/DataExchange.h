// Moves values between a dialog's controls and its members, in both
// directions, from one table (the dialog's DoDataExchange). The same table
// can run for a single control, as a kill-focus check does.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace velo {

class Control;
class Dialog;
class HostedControl;

// Why an exchange stopped.
enum ExchangeFailure {
  kExchangeDone,    // no control refused its text
  kNotAnInteger,    // "Please enter an integer."
  kOutOfRange,      // "Please enter an integer between %1 and %2."
};

class DataExchange {
 public:
  // `onlyControl` 0 runs every entry; otherwise only that control's.
  DataExchange(Dialog& dialog, bool saveAndValidate, int onlyControl = 0);

  bool Saving() const { return saving_; }
  // True once an entry has refused the control's text; later entries then
  // do nothing, so the members after the bad one keep their values.
  bool Failed() const { return failure_ != kExchangeDone; }
  ExchangeFailure Failure() const { return failure_; }

  // A signed decimal integer ("%d").
  void Int(int controlId, int32_t& value);
  // Int followed, when saving, by a range check.
  void IntInRange(int controlId, int32_t& value, int32_t minimum,
                  int32_t maximum);
  // Subclasses the control the first time the dialog's window exchanges.
  void Bind(int controlId, Control& control);
  // Hosts the ActiveX control in the place of the template's placeholder,
  // with the persisted properties the template gives it, the first time the
  // dialog's window exchanges.
  void Host(int placeholderId, HostedControl& control);

 private:
  bool Applies(int controlId) const;
  bool ReadInt64(int controlId, int64_t minimum, int64_t maximum,
                 int64_t* value);
  // Shows the standard message, then puts the focus in the box with its text
  // selected.
  void Fail(int controlId, ExchangeFailure failure, const std::string& message);

  Dialog& dialog_;
  bool saving_;
  int onlyControl_;
  ExchangeFailure failure_ = kExchangeDone;
};

// The texts of the standard data-exchange messages.
extern const char kEnterIntegerMessage[];
std::string EnterIntegerBetweenMessage(int64_t minimum, int64_t maximum);

}  // namespace velo
