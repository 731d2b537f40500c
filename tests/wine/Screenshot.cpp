#include "Screenshot.h"

#include <cstring>
#include <vector>

#include "BoundedWait.h"
#include "Environment.h"

namespace velo {

namespace {

bool WriteBitmap(const std::string& path, const BITMAPINFOHEADER& header,
                 const std::vector<BYTE>& pixels) {
  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
  HANDLE out = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr,
                           CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (out == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(out, &file, sizeof file, &written, nullptr) &&
            WriteFile(out, &header, sizeof header, &written, nullptr) &&
            WriteFile(out, pixels.data(), static_cast<DWORD>(pixels.size()),
                      &written, nullptr);
  CloseHandle(out);
  return ok;
}

// What the window shows now, as 24-bit rows bottom-up. A window of this
// process is read from its own device context, which holds what it painted
// even before the display has been updated; another process's window is
// read from the screen.
bool Capture(HWND window, BITMAPINFOHEADER* header, std::vector<BYTE>* pixels) {
  RECT area;
  GetWindowRect(window, &area);
  int width = area.right - area.left, height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return false;
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  bool own = owner == GetCurrentProcessId();
  HDC source = own ? GetWindowDC(window) : GetDC(nullptr);
  HDC memory = CreateCompatibleDC(source);
  HBITMAP bitmap = CreateCompatibleBitmap(source, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, source, own ? 0 : area.left,
         own ? 0 : area.top, SRCCOPY);
  SelectObject(memory, old);

  *header = BITMAPINFOHEADER();
  header->biSize = sizeof *header;
  header->biWidth = width;
  header->biHeight = height;
  header->biPlanes = 1;
  header->biBitCount = 24;
  header->biCompression = BI_RGB;
  int stride = (width * 3 + 3) & ~3;
  pixels->assign(static_cast<size_t>(stride) * height, 0);
  bool read = GetDIBits(memory, bitmap, 0, height, pixels->data(),
                        reinterpret_cast<BITMAPINFO*>(header),
                        DIB_RGB_COLORS) == height;
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(own ? window : nullptr, source);
  return read;
}

// A painted area shows more than one colour: its texts at least. An area
// not painted yet is one flat colour. `area` is in screen coordinates.
bool ShowsMoreThanOneColour(HWND window, const BITMAPINFOHEADER& header,
                            const std::vector<BYTE>& pixels, const RECT& area) {
  RECT frame;
  GetWindowRect(window, &frame);
  int stride = (header.biWidth * 3 + 3) & ~3;
  const BYTE* first = nullptr;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) {
      // Rows are stored bottom-up.
      int row = header.biHeight - 1 - (y - frame.top);
      int column = x - frame.left;
      if (row < 0 || row >= header.biHeight || column < 0 ||
          column >= header.biWidth)
        continue;
      const BYTE* pixel = &pixels[row * stride + column * 3];
      if (!first)
        first = pixel;
      else if (memcmp(first, pixel, 3) != 0)
        return true;
    }
  return false;
}

struct PaintCheck {
  HWND window;
  const BITMAPINFOHEADER* header;
  const std::vector<BYTE>* pixels;
  bool painted;
};

// A page inside the window (a dialog within a dialog, as a wizard's or
// setup's page is) paints after its frame: it must have painted too.
BOOL CALLBACK CheckPagePainted(HWND child, LPARAM check) {
  PaintCheck& c = *reinterpret_cast<PaintCheck*>(check);
  char type[16] = "";
  GetClassNameA(child, type, sizeof type);
  RECT area;
  if (IsWindowVisible(child) && lstrcmpA(type, "#32770") == 0 &&
      GetWindowRect(child, &area) && area.right > area.left &&
      area.bottom > area.top &&
      !ShowsMoreThanOneColour(c.window, *c.header, *c.pixels, area))
    c.painted = false;
  return c.painted;
}

bool Painted(HWND window, const BITMAPINFOHEADER& header,
             const std::vector<BYTE>& pixels) {
  RECT client;
  GetClientRect(window, &client);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  if (!ShowsMoreThanOneColour(window, header, pixels, client)) return false;
  PaintCheck check{window, &header, &pixels, true};
  EnumChildWindows(window, CheckPagePainted, reinterpret_cast<LPARAM>(&check));
  return check.painted;
}

// The text a window shows, read by message so that it is the control's own
// text in another process too; line breaks written as \r and \n.
std::string ShownText(HWND window) {
  char text[4096] = "";
  DWORD_PTR length = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof text,
                      reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                      &length);
  std::string shown;
  for (const char* c = text; *c; ++c) {
    if (*c == '\r')
      shown += "\\r";
    else if (*c == '\n')
      shown += "\\n";
    else
      shown += *c;
  }
  return shown;
}

// A list its owner draws without strings keeps no text of its own: what
// WM_GETTEXT gives there is its item's data.
bool KeepsNoText(HWND window, const char* type) {
  LONG style = GetWindowLongA(window, GWL_STYLE);
  return lstrcmpiA(type, "ComboBox") == 0 &&
         (style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) &&
         !(style & CBS_HASSTRINGS);
}

BOOL CALLBACK AddShownText(HWND child, LPARAM lines) {
  if (IsWindowVisible(child)) {
    char type[64] = "";
    GetClassNameA(child, type, sizeof type);
    *reinterpret_cast<std::string*>(lines) +=
        std::string(type) + ": " +
        (KeepsNoText(child, type) ? "(drawn by its owner)" : ShownText(child)) +
        "\n";
  }
  return TRUE;
}

// The texts of a picture beside it, one visible window a line, so that a
// picture kept elsewhere can be checked against what the program shows now
// without comparing pixels, which depend on the fonts and the Wine that drew
// them.
bool WriteShownTexts(HWND window, const std::string& path) {
  std::string lines = "caption: " + ShownText(window) + "\n";
  EnumChildWindows(window, AddShownText, reinterpret_cast<LPARAM>(&lines));
  HANDLE out = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr,
                           CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (out == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(out, lines.data(), static_cast<DWORD>(lines.size()),
                      &written, nullptr) &&
            written == lines.size();
  CloseHandle(out);
  return ok;
}

}  // namespace

bool SaveScreenshot(HWND window, const std::string& name) {
  std::string folder = EnvironmentText("VELO_SCREENSHOTS");
  if (folder.empty()) return false;
  // A window of this process paints now; another process's window is
  // waited for until it has painted.
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN |
                   RDW_UPDATENOW);
  BITMAPINFOHEADER header;
  std::vector<BYTE> pixels;
  bool painted = WaitFor([&] {
    return Capture(window, &header, &pixels) &&
           Painted(window, header, pixels);
  });
  std::string path = folder + "\\" + name;
  return painted && WriteBitmap(path + ".bmp", header, pixels) &&
         WriteShownTexts(window, path + ".txt");
}

}  // namespace velo
