#include "framework/MessageMap.h"

namespace velo {

void MessageMap::OnCommand(int controlId, UINT code,
                           std::function<void()> handler) {
  entries_.push_back(Entry{
      WM_COMMAND, false, controlId, code,
      [handler](WPARAM, LPARAM, LRESULT* result) {
        handler();
        *result = 0;
        return true;
      }});
}

void MessageMap::OnMessage(UINT message, MessageHandler handler) {
  entries_.push_back(Entry{message, true, 0, 0, handler});
}

bool MessageMap::Matches(const Entry& entry, UINT message, WPARAM wParam) {
  if (entry.message != message) return false;
  // Only commands are bound to a control.
  return entry.wholeMessage ||
         (LOWORD(wParam) == entry.controlId && HIWORD(wParam) == entry.code);
}

bool MessageMap::Dispatch(UINT message, WPARAM wParam, LPARAM lParam,
                          LRESULT* result) const {
  for (const Entry& entry : entries_)
    if (Matches(entry, message, wParam) &&
        entry.handler(wParam, lParam, result))
      return true;
  return false;
}

}  // namespace velo
