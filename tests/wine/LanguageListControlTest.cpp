// The language list's flags: read from their files only as the list draws
// their items, and then the very pictures the files hold; a flag file that
// is no bitmap, or that has gone by the time its item is drawn, leaves its
// language without a flag. And the languages it offers: only those the
// system's code page draws.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "BoundedWait.h"
#include "TempFolder.h"
#include "app/LanguageListControl.h"
#include "framework/Dialog.h"
#include "res/resource.h"
#include "support/FlagFile.h"

namespace velo {
namespace {

// The main window's template with nothing but its language list at work.
class ListDialog : public Dialog {
 public:
  ListDialog(const std::string& appPath, const std::string& language)
      : Dialog(IDD_MAIN), appPath_(appPath), language_(language) {}
  LanguageListControl list;

 protected:
  void DoDataExchange(DataExchange& exchange) override {
    exchange.Bind(IDC_MAIN_LANGUAGE, list);
  }
  BOOL OnInitDialog() override {
    Dialog::OnInitDialog();
    list.Fill(appPath_, language_);
    return TRUE;
  }

 private:
  std::string appPath_, language_;
};

void Pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// Each pixel of one image of an image list, drawn as the list draws it.
std::vector<COLORREF> Pixels(HIMAGELIST images, int image) {
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP canvas = CreateCompatibleBitmap(screen, 16, 16);
  HGDIOBJ old = SelectObject(memory, canvas);
  ImageList_Draw(images, image, memory, 0, 0, ILD_NORMAL);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) pixels.push_back(GetPixel(memory, x, y));
  SelectObject(memory, old);
  DeleteObject(canvas);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return pixels;
}

// The picture a flag file gives when it is read at once, as the list once
// read every flag while it was filled.
std::vector<COLORREF> PictureOf(const std::string& path) {
  HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR16, 1, 1);
  HBITMAP flag = static_cast<HBITMAP>(LoadImageA(
      nullptr, path.c_str(), IMAGE_BITMAP, 16, 16, LR_LOADFROMFILE));
  EXPECT_NE(nullptr, flag) << path;
  ImageList_Add(images, flag, nullptr);
  DeleteObject(flag);
  std::vector<COLORREF> pixels = Pixels(images, 0);
  ImageList_Destroy(images);
  return pixels;
}

struct Item {
  std::string name;
  int image;
};

std::vector<Item> ItemsOf(HWND combo) {
  std::vector<Item> items;
  int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char text[64] = "";
    COMBOBOXEXITEMA item = {};
    item.mask = CBEIF_TEXT | CBEIF_IMAGE;
    item.iItem = i;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(combo, CBEM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    items.push_back({text, item.iImage});
  }
  return items;
}

class LanguageListFlags : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(folder_.Path().empty());
    ASSERT_FALSE(folder_.MakeFolder("Lang").empty());
    // Enumerated alphabetically under Wine: Alba, Bretagne, Cymru.
    for (const char* name : {"Alba", "Bretagne", "Cymru"})
      folder_.Write(std::string("Lang\\") + name + ".ini", "[Lanvora]\n");
  }
  void TearDown() override {
    if (window_) DestroyWindow(window_);
    Pump();
  }

  // Opens the window and lets it paint once.
  void Open(const std::string& language) {
    dialog_.reset(new ListDialog(folder_.Path(), language));
    window_ = dialog_->CreateModeless(nullptr);
    ASSERT_NE(nullptr, window_);
    ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
    Pump();
  }
  HWND Combo() const { return GetDlgItem(window_, IDC_MAIN_LANGUAGE); }
  HIMAGELIST Images() const {
    return reinterpret_cast<HIMAGELIST>(
        SendMessageA(Combo(), CBEM_GETIMAGELIST, 0, 0));
  }
  std::string Flag(const char* name) {
    return folder_.Path() + "\\Lang\\" + name + ".bmp";
  }

  TempFolder folder_{"velocine-flags"};
  std::unique_ptr<ListDialog> dialog_;
  HWND window_ = nullptr;
};

TEST_F(LanguageListFlags, OpeningReadsOnlyTheChosenFlagAndDroppingDownTheRest) {
  folder_.Write("Lang\\Alba.bmp", FlagFile(200, 0, 0));
  folder_.Write("Lang\\Bretagne.bmp", FlagFile(0, 200, 0));
  folder_.Write("Lang\\Cymru.bmp", FlagFile(0, 0, 200));
  Open("bretagne");
  ASSERT_EQ(1, SendMessageA(Combo(), CB_GETCURSEL, 0, 0));
  EXPECT_FALSE(dialog_->list.IsFlagLoaded(0));
  EXPECT_TRUE(dialog_->list.IsFlagLoaded(1)) << "the closed list shows it";
  EXPECT_FALSE(dialog_->list.IsFlagLoaded(2));
  EXPECT_EQ(PictureOf(Flag("Bretagne")), Pixels(Images(), 1));

  SendMessageA(Combo(), CB_SHOWDROPDOWN, TRUE, 0);
  EXPECT_TRUE(WaitFor([&] {
    Pump();
    return dialog_->list.IsFlagLoaded(0) && dialog_->list.IsFlagLoaded(2);
  }, 5000)) << "the open list draws every item";
  SendMessageA(Combo(), CB_SHOWDROPDOWN, FALSE, 0);
  EXPECT_EQ(PictureOf(Flag("Alba")), Pixels(Images(), 0));
  EXPECT_EQ(PictureOf(Flag("Cymru")), Pixels(Images(), 2));
  std::vector<Item> items = ItemsOf(Combo());
  ASSERT_EQ(3u, items.size());
  for (int i = 0; i < 3; ++i) EXPECT_EQ(i, items[i].image) << items[i].name;
}

TEST_F(LanguageListFlags, AFlagFileThatIsNoBitmapListsItsLanguageLastWithout) {
  folder_.Write("Lang\\Alba.bmp", "Alba's flag, typed in by hand");
  folder_.Write("Lang\\Bretagne.bmp", FlagFile(0, 200, 0));
  folder_.Write("Lang\\Cymru.bmp", std::string());  // empty
  Open("Alba");
  std::vector<Item> items = ItemsOf(Combo());
  ASSERT_EQ(3u, items.size());
  EXPECT_EQ("Bretagne", items[0].name);
  EXPECT_EQ(0, items[0].image);
  EXPECT_EQ("Alba", items[1].name);
  EXPECT_EQ(-1, items[1].image);
  EXPECT_EQ("Cymru", items[2].name);
  EXPECT_EQ(-1, items[2].image);
  EXPECT_EQ(1, SendMessageA(Combo(), CB_GETCURSEL, 0, 0));
}

TEST_F(LanguageListFlags, AFlagGoneBeforeItsItemIsDrawnLeavesItWithoutAFlag) {
  std::string alba = folder_.Write("Lang\\Alba.bmp", FlagFile(200, 0, 0));
  folder_.Write("Lang\\Bretagne.bmp", FlagFile(0, 200, 0));
  Open("Bretagne");
  ASSERT_FALSE(dialog_->list.IsFlagLoaded(0));
  ASSERT_TRUE(DeleteFileA(alba.c_str()));
  SendMessageA(Combo(), CB_SHOWDROPDOWN, TRUE, 0);
  EXPECT_TRUE(WaitFor([&] {
    Pump();
    return ItemsOf(Combo())[0].image == -1;
  }, 5000)) << "Alba would show a blank flag";
  SendMessageA(Combo(), CB_SHOWDROPDOWN, FALSE, 0);
  EXPECT_FALSE(dialog_->list.IsFlagLoaded(0));
  EXPECT_EQ(1, ItemsOf(Combo())[1].image) << "Bretagne keeps its flag";
}

// Under this Windows's code page: a file written in it, and plain ASCII
// whatever it names, are listed; one written in another, or one that does
// not say which it is written in, is not. A saved choice of one left out
// shows English selected, as the window then speaks English.
TEST_F(LanguageListFlags, OffersOnlyTheLanguagesThisCodePageDraws) {
  const std::string own = std::to_string(GetACP());
  const std::string other = GetACP() == 1251 ? "1252" : "1251";
  folder_.Write("Lang\\Bretagne.ini",
                "[Lanvora]\nCodePage=" + own + "\n18=Br\xE9izh\n");
  folder_.Write("Lang\\Cymru.ini",
                "[Lanvora]\nCodePage=" + other + "\n18=\xC2\xE5\xEB\n");
  folder_.Write("Lang\\Dansk.ini", "[Lanvora]\n18=Dan\xF8\n");
  folder_.Write("Lang\\English.ini",
                "[Lanvora]\nCodePage=" + other + "\n18=Velocine\n");
  for (const char* chosen : {"Cymru", "dansk"}) {
    Open(chosen);
    std::vector<std::string> names;
    for (const Item& item : ItemsOf(Combo())) names.push_back(item.name);
    EXPECT_EQ((std::vector<std::string>{"Alba", "Bretagne", "English"}), names);
    int selected = static_cast<int>(SendMessageA(Combo(), CB_GETCURSEL, 0, 0));
    EXPECT_EQ(2, selected) << chosen << ": English";
    std::string name;
    ASSERT_TRUE(dialog_->list.SelectedName(&name));
    EXPECT_EQ("English", name);
    DestroyWindow(window_);
    window_ = nullptr;
  }
  Open("Bretagne");
  EXPECT_EQ(1, SendMessageA(Combo(), CB_GETCURSEL, 0, 0));
}

}  // namespace
}  // namespace velo
