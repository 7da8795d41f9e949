// Shows both dialogs on sample materials and saves a picture of each, as the
// screen shows it, into the folder given as the argument:
// material-list-dialog.bmp and material-data-dialog.bmp. Run it inside a
// Wine virtual desktop, so that the windows have their frames.
#include <windows.h>

#include <cstdio>
#include <string>

#include "DialogDriver.h"
#include "MaterialListDialog.h"
#include "ScreenPicture.h"
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

// The window as the screen shows it, frame included.
std::string saveWindowPicture(HWND window, const std::string& path) {
  RECT frame;
  GetWindowRect(window, &frame);
  return saveScreenPicture(frame, path);
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
