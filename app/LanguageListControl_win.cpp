#include "app/LanguageListControl.h"

#include "lang/LanguageCodePage.h"
#include "lang/LanguageFiles.h"
#include "lang/LanguageOwnName.h"
#include "lang/Win32LanguagePlatform.h"

namespace velo {

namespace {

const int kFlagSide = 16;

// The first bytes of a file, as many as a flag's header needs; empty when
// it cannot be read.
std::string FileStart(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::string();
  std::string start(kFlagHeaderBytes, '\0');
  DWORD got = 0;
  if (!ReadFile(file, &start[0], static_cast<DWORD>(start.size()), &got,
                nullptr))
    got = 0;
  CloseHandle(file);
  start.resize(got);
  return start;
}

}  // namespace

LanguageListControl::~LanguageListControl() {
  if (images_) ImageList_Destroy(images_);
}

void LanguageListControl::Fill(const std::string& appPath,
                               const std::string& language) {
  languages_ = LanguageList();
  flags_.clear();
  Win32LanguagePlatform files;
  const unsigned ansiCodePage = files.AnsiCodePage();
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(
      LanguageFilePath(appPath, "*", ".ini").c_str(), &found);
  for (BOOL more = search != INVALID_HANDLE_VALUE; more;
       more = FindNextFileA(search, &found)) {
    std::string name = LanguageName(found.cFileName);
    FileContents file =
        files.ReadWholeFile(LanguageFilePath(appPath, name, ".ini"));
    if (!CanDrawLanguage(file, ansiCodePage)) {
      languages_.LeaveOut(found.cFileName);
      continue;
    }
    Flag flag;
    flag.path = LanguageFilePath(appPath, name, ".bmp");
    bool hasFlag = FlagHeaderIsBitmap(FileStart(flag.path));
    // The image list hands out its slots in the order the flags come.
    if (hasFlag) flags_.push_back(flag);
    std::string shown = ShownLanguageName(file, name, ansiCodePage);
    languages_.Add(found.cFileName, hasFlag, shown);
  }
  if (search != INVALID_HANDLE_VALUE) FindClose(search);

  MakeImageList(flags_.size());
  for (size_t position = 0; position < languages_.Items().size(); ++position)
    Insert(position);
  SendMessageA(Hwnd(), CB_SETCURSEL, languages_.SelectionFor(language), 0);
}

void LanguageListControl::MakeImageList(size_t slots) {
  if (images_) ImageList_Destroy(images_);
  images_ = ImageList_Create(kFlagSide, kFlagSide, ILC_COLOR16,
                             static_cast<int>(slots), 4);
  // One strip of blank images: each takes its flag when its item is drawn.
  if (images_ && slots > 0) {
    HBITMAP blanks = CreateBitmap(kFlagSide * static_cast<int>(slots),
                                  kFlagSide, 1, 1, nullptr);
    if (blanks) {
      ImageList_Add(images_, blanks, nullptr);
      DeleteObject(blanks);
    }
  }
  SendMessageA(Hwnd(), CBEM_SETIMAGELIST, 0,
               reinterpret_cast<LPARAM>(images_));
}

void LanguageListControl::Insert(size_t position) {
  const LanguageItem& language = languages_.Items()[position];
  COMBOBOXEXITEMA item;
  ZeroMemory(&item, sizeof item);
  item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
  item.iItem = static_cast<INT_PTR>(position);
  item.pszText = const_cast<char*>(language.shown.c_str());
  item.iImage = item.iSelectedImage = language.image;
  SendMessageA(Hwnd(), CBEM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void LanguageListControl::LoadFlagOf(int position) {
  if (position < 0 ||
      static_cast<size_t>(position) >= languages_.Items().size())
    return;
  int image = languages_.Items()[position].image;
  if (image < 0 || static_cast<size_t>(image) >= flags_.size()) return;
  Flag& flag = flags_[image];
  if (flag.tried) return;
  flag.tried = true;
  HBITMAP bitmap = static_cast<HBITMAP>(
      LoadImageA(nullptr, flag.path.c_str(), IMAGE_BITMAP, kFlagSide,
                 kFlagSide, LR_LOADFROMFILE));
  flag.loaded = bitmap && images_ &&
                ImageList_Replace(images_, image, bitmap, nullptr);
  if (bitmap) DeleteObject(bitmap);
  if (flag.loaded) return;
  // A header that promised a bitmap, and a file that is none after all (or
  // has gone since): the item shows no flag rather than a blank one.
  COMBOBOXEXITEMA item;
  ZeroMemory(&item, sizeof item);
  item.mask = CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
  item.iItem = position;
  item.iImage = item.iSelectedImage = -1;
  SendMessageA(Hwnd(), CBEM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

bool LanguageListControl::IsFlagLoaded(int image) const {
  return image >= 0 && static_cast<size_t>(image) < flags_.size() &&
         flags_[image].loaded;
}

bool LanguageListControl::SelectedName(std::string* name) const {
  int selected = static_cast<int>(SendMessageA(Hwnd(), CB_GETCURSEL, 0, 0));
  if (selected < 0 ||
      static_cast<size_t>(selected) >= languages_.Items().size())
    return false;
  *name = languages_.Items()[selected].name;
  return true;
}

LRESULT LanguageListControl::WindowProc(UINT message, WPARAM wParam,
                                        LPARAM lParam) {
  // The list's own combo box asks it to draw an item: the closed list's
  // selection, or a line of the open list.
  if (message == WM_DRAWITEM) {
    const DRAWITEMSTRUCT* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (draw && draw->CtlType == ODT_COMBOBOX)
      LoadFlagOf(static_cast<int>(draw->itemID));
  }
  return Default(message, wParam, lParam);
}

}  // namespace velo
