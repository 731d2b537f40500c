// Binds a dialog's messages and control notifications to its handlers.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

namespace velo {

class MessageMap {
 public:
  // A handler of a whole message: returns true when it handled it and sets
  // *result to what the message answers.
  typedef std::function<bool(WPARAM, LPARAM, LRESULT* result)> MessageHandler;

  // WM_COMMAND with this control id and notification code.
  void OnCommand(int controlId, UINT code, std::function<void()> handler);
  void OnMessage(UINT message, MessageHandler handler);

  // Runs the first matching entry; false when none matched.
  bool Dispatch(UINT message, WPARAM wParam, LPARAM lParam,
                LRESULT* result) const;

 private:
  struct Entry {
    UINT message;
    bool wholeMessage;  // every such message, whatever its sender
    int controlId;      // commands only
    UINT code;
    MessageHandler handler;
  };
  static bool Matches(const Entry& entry, UINT message, WPARAM wParam);

  std::vector<Entry> entries_;
};

}  // namespace velo
