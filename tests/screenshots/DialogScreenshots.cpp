// Shows both dialogs on sample materials and saves a picture of each, as the
// screen shows it, into the folder given as the argument:
// material-list-dialog.bmp and material-data-dialog.bmp. Run it inside a
// Wine virtual desktop, so that the windows have their frames.
#include <windows.h>

#include <cstdio>
#include <string>

#include "DialogDriver.h"
#include "MaterialListDialog.h"
#include "Win32DialogRunner.h"

namespace {

Material* sample(const char* name, double density, double young, double poisson, double yield,
                 double tensile, double conductivity, double expansion, double heat) {
  Material* record = createMaterial();
  record->setName(name);
  record->setDensity(density);
  record->setYoungModulus(young);
  record->setPoissonRatio(poisson);
  record->setYieldStrength(yield);
  record->setTensileStrength(tensile);
  record->setThermalConductivity(conductivity);
  record->setLinearExpansion(expansion);
  record->setSpecificHeat(heat);
  return record;
}

MaterialList sampleMaterials() {
  MaterialList head = createNode();
  append(head, sample("Structural steel S235", 7.85, 210, 0.3, 235, 360, 50, 1.2, 460));
  append(head, sample("Stainless steel 1.4301", 7.9, 200, 0.29, 210, 520, 15, 1.6, 500));
  append(head, sample("Aluminium 6061-T6", 2.7, 69, 0.33, 276, 310, 167, 2.36, 896));
  append(head, sample("Copper C11000", 8.94, 117, 0.34, 69, 220, 388, 1.7, 385));
  append(head, sample("Brass CuZn37", 8.44, 110, 0.34, 200, 350, 120, 2.02, 377));
  append(head, sample("Titanium Grade 2", 4.51, 105, 0.37, 275, 345, 16.4, 0.86, 523));
  append(head, sample("Grey cast iron", 7.2, 100, 0.26, 0, 250, 50, 1.05, 490));
  return head;
}

// Writes the window as the screen shows it, frame included, as a 24-bit BMP.
// What was painted reaches the screen only once the thread has been idle, so
// the caller lets some ticks pass first.
std::string saveWindowPicture(HWND window, const std::string& path) {
  RECT frame;
  GetWindowRect(window, &frame);
  int width = frame.right - frame.left;
  int height = frame.bottom - frame.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, frame.left, frame.top, SRCCOPY);
  SelectObject(memory, previous);

  BITMAPINFOHEADER info = {};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  DWORD rowSize = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
  std::string pixels(rowSize * static_cast<DWORD>(height), '\0');
  GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), &pixels[0],
            reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);

  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
  FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) return "cannot write " + path;
  std::fwrite(&file, sizeof file, 1, out);
  std::fwrite(&info, sizeof info, 1, out);
  std::fwrite(pixels.data(), 1, pixels.size(), out);
  return std::fclose(out) == 0 ? "" : "cannot write " + path;
}

// Waits some ticks, so that everything the last steps changed is painted
// (a clicked button repaints late).
void settle(DialogDriver& driver) {
  for (int tick = 0; tick < 40; ++tick) driver.check([](HWND) { return std::string(); });
}

}  // namespace

int main(int argc, char** argv) {
  std::string folder = argc > 1 ? argv[1] : ".";
  Win32DialogRunner dialogs;
  MaterialListDialog dialog(dialogs);
  dialog.filePath = "C:\\Projects\\Bridge\\zodo.mat";
  dialog.materials = sampleMaterials();

  DialogDriver driver;
  driver.expectWindow("KVO Material Editor");
  driver.select("Copper C11000");
  settle(driver);
  driver.check([&](HWND window) {
    return saveWindowPicture(window, folder + "\\material-list-dialog.bmp");
  });
  driver.press("Edit...");
  driver.expectWindow("Edit material");
  driver.set(1005, "-117");
  driver.press("OK");
  driver.expectText(1001, "Young modul must be >= 0");
  settle(driver);
  driver.check([&](HWND window) {
    return saveWindowPicture(window, folder + "\\material-data-dialog.bmp");
  });
  driver.press("Cancel");
  driver.expectWindow("KVO Material Editor");
  driver.press("Cancel");
  driver.start(20);
  dialog.runModal();
  driver.stop();
  releaseList(dialog.materials);
  if (!driver.succeeded()) {
    std::fprintf(stderr, "step %d: %s\n", driver.failedLine(), driver.failure().c_str());
    return 1;
  }
  return 0;
}
