#include "RemoteComboBoxEx.h"

#include <commctrl.h>

namespace velo {

namespace {

// An item record followed by room for its text, lent in the other process.
struct RemoteItem {
  COMBOBOXEXITEMA item;
  char text[MAX_PATH];
};

class LentMemory {
 public:
  explicit LentMemory(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    process_ = OpenProcess(
        PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
        process);
    if (process_)
      at_ = VirtualAllocEx(process_, nullptr, sizeof(RemoteItem), MEM_COMMIT,
                           PAGE_READWRITE);
  }
  ~LentMemory() {
    if (at_) VirtualFreeEx(process_, at_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  LentMemory(const LentMemory&) = delete;
  LentMemory& operator=(const LentMemory&) = delete;

  bool Ready() const { return at_ != nullptr; }
  RemoteItem* At() const { return static_cast<RemoteItem*>(at_); }
  bool Write(const RemoteItem& item) const {
    return WriteProcessMemory(process_, at_, &item, sizeof item, nullptr);
  }
  bool Read(RemoteItem* item) const {
    return ReadProcessMemory(process_, at_, item, sizeof *item, nullptr);
  }

 private:
  HANDLE process_ = nullptr;
  void* at_ = nullptr;
};

}  // namespace

std::vector<RemoteComboItem> ReadComboBoxExItems(HWND combo) {
  std::vector<RemoteComboItem> items;
  LentMemory memory(combo);
  if (!memory.Ready()) return items;
  int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
  for (int index = 0; index < count; ++index) {
    RemoteItem remote = {};
    remote.item.mask = CBEIF_TEXT | CBEIF_IMAGE;
    remote.item.iItem = index;
    remote.item.pszText = memory.At()->text;
    remote.item.cchTextMax = sizeof remote.text;
    if (!memory.Write(remote) ||
        !SendMessageA(combo, CBEM_GETITEMA, 0,
                      reinterpret_cast<LPARAM>(&memory.At()->item)) ||
        !memory.Read(&remote))
      return std::vector<RemoteComboItem>();
    RemoteComboItem item;
    remote.text[sizeof remote.text - 1] = '\0';
    item.text = remote.text;
    item.image = remote.item.iImage;
    items.push_back(item);
  }
  return items;
}

}  // namespace velo
