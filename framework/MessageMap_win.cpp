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

void MessageMap::OnNotify(int controlId, UINT code,
                          std::function<LRESULT(NMHDR*)> handler) {
  entries_.push_back(Entry{
      WM_NOTIFY, false, controlId, code,
      [handler](WPARAM, LPARAM lParam, LRESULT* result) {
        *result = handler(reinterpret_cast<NMHDR*>(lParam));
        return true;
      }});
}

void MessageMap::OnMessage(UINT message, MessageHandler handler) {
  entries_.push_back(Entry{message, true, 0, 0, handler});
}

bool MessageMap::Matches(const Entry& entry, UINT message, WPARAM wParam,
                         LPARAM lParam) {
  if (entry.message != message) return false;
  if (entry.wholeMessage) return true;
  if (message == WM_COMMAND)
    return LOWORD(wParam) == entry.controlId && HIWORD(wParam) == entry.code;
  if (message == WM_NOTIFY) {
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    return static_cast<int>(header->idFrom) == entry.controlId &&
           header->code == entry.code;
  }
  return true;
}

bool MessageMap::Dispatch(UINT message, WPARAM wParam, LPARAM lParam,
                          LRESULT* result) const {
  for (const Entry& entry : entries_)
    if (Matches(entry, message, wParam, lParam) &&
        entry.handler(wParam, lParam, result))
      return true;
  return false;
}

}  // namespace velo
