#include "app/AboutDlg.h"

#include <vector>

#include "app/TunerApp.h"
#include "framework/Window.h"
#include "res/resource.h"
#include "skin/SkinComponent.h"

namespace velo {

CAboutDlg::CAboutDlg() : Dialog(IDD_ABOUTBOX) {}

std::string FileVersionString(const std::string& file,
                              const std::string& name) {
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeA(file.c_str(), &handle);
  if (size == 0) return std::string();
  std::vector<char> block(size);
  if (!GetFileVersionInfoA(file.c_str(), 0, size, block.data()))
    return std::string();
  std::string query = "\\StringFileInfo\\040904b0\\" + name;
  char* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block.data(), query.c_str(),
                      reinterpret_cast<void**>(&value), &length) ||
      !value || length == 0)
    return std::string();
  // The length may or may not count the NUL; the text ends at the first one.
  std::string text(value, length);
  return text.substr(0, text.find('\0'));
}

void CAboutDlg::ShowVersionStrings() {
  for (int control : {IDC_ABOUT_COPYRIGHT, IDC_ABOUT_FILEVERSION}) {
    std::string value =
        FileVersionString(App().m_strModulePath, WindowText(Item(control)));
    if (!value.empty()) SetWindowTextString(Item(control), value);
  }
}

BOOL CAboutDlg::OnInitDialog() {
  Dialog::OnInitDialog();
  SetWindowTextString(Hwnd(), App().LoadText(TextId::AboutCaption));
  App().SetControlText(TextId::OkButton, IDOK, Hwnd());
  App().SetControlText(TextId::VersionLabel, IDC_ABOUT_VERSION_LABEL, Hwnd());
  ShowVersionStrings();
  if (SkinComponent* skin = App().MainSkin()) {
    skin->SkinElement(HandleToLong(Hwnd()), skin::kMessage);
    for (int label : {IDC_ABOUT_VERSION_LABEL, IDC_ABOUT_FILEVERSION,
                      IDC_ABOUT_COPYRIGHT})
      skin->SkinElement(HandleToLong(Item(label)), skin::kLabel);
    skin->SkinElement(HandleToLong(Item(IDOK)), skin::kSmallButton);
  }
  return TRUE;
}

}  // namespace velo
