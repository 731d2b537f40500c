#include "Screenshot.h"

#include <vector>

namespace velo {

namespace {

std::string ScreenshotFolder() {
  char folder[MAX_PATH] = "";
  DWORD length = GetEnvironmentVariableA("VELO_SCREENSHOTS", folder, sizeof folder);
  return length > 0 && length < sizeof folder ? folder : "";
}

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

}  // namespace

bool SaveScreenshot(HWND window, const std::string& name) {
  std::string folder = ScreenshotFolder();
  if (folder.empty()) return false;
  // Let the window finish painting first.
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN |
                   RDW_UPDATENOW);
  RECT area;
  GetWindowRect(window, &area);
  int width = area.right - area.left, height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return false;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
  SelectObject(memory, old);

  BITMAPINFOHEADER header = {};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  int stride = (width * 3 + 3) & ~3;
  std::vector<BYTE> pixels(static_cast<size_t>(stride) * height);
  GetDIBits(memory, bitmap, 0, height, pixels.data(),
            reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return WriteBitmap(folder + "\\" + name + ".bmp", header, pixels);
}

}  // namespace velo
