// The two dialog templates as the resource compiler stored them: every
// control with its id, kind, text, place and style, in template order.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MaterialDataDialogIds.h"
#include "MaterialListDialogIds.h"

namespace {

struct Control {
  int id;
  std::string kind;  // a predefined class by name, or the class name
  std::string text;
  short x, y, width, height;
  DWORD style;
};

struct DialogTemplate {
  DWORD style;
  short width, height;
  std::string title;
  int pointSize;
  std::string font;
  std::vector<Control> controls;
};

std::string narrow(const WORD*& at) {
  std::string text;
  while (*at != 0) text += static_cast<char>(*at++);
  ++at;
  return text;
}

// A name or an ordinal: 0xFFFF and the ordinal, or a zero-terminated text.
std::string nameOrOrdinal(const WORD*& at) {
  if (*at == 0xFFFF) {
    WORD ordinal = at[1];
    at += 2;
    switch (ordinal) {
      case 0x80: return "button";
      case 0x81: return "edit";
      case 0x82: return "static";
      default: return "#" + std::to_string(ordinal);
    }
  }
  return narrow(at);
}

const WORD* alignToDword(const WORD* at) {
  auto address = reinterpret_cast<UINT_PTR>(at);
  return reinterpret_cast<const WORD*>((address + 3) & ~static_cast<UINT_PTR>(3));
}

DialogTemplate loadTemplate(int id) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), reinterpret_cast<LPCSTR>(RT_DIALOG));
  EXPECT_NE(found, nullptr) << "no template " << id;
  DialogTemplate dialog{};
  if (found == nullptr) return dialog;
  const auto* header = static_cast<const DLGTEMPLATE*>(LockResource(LoadResource(module, found)));
  dialog.style = header->style;
  dialog.width = header->cx;
  dialog.height = header->cy;
  const WORD* at = reinterpret_cast<const WORD*>(header + 1);
  nameOrOrdinal(at);  // menu
  nameOrOrdinal(at);  // class
  dialog.title = narrow(at);
  if (header->style & DS_SETFONT) {
    dialog.pointSize = *at++;
    dialog.font = narrow(at);
  }
  for (int item = 0; item < header->cdit; ++item) {
    at = alignToDword(at);
    const auto* control = reinterpret_cast<const DLGITEMTEMPLATE*>(at);
    at = reinterpret_cast<const WORD*>(control + 1);
    Control read{static_cast<short>(control->id), "", "", control->x, control->y, control->cx,
                 control->cy, control->style};
    read.kind = nameOrOrdinal(at);
    read.text = nameOrOrdinal(at);
    WORD extra = *at++;
    at = reinterpret_cast<const WORD*>(reinterpret_cast<const BYTE*>(at) + extra);
    dialog.controls.push_back(read);
  }
  return dialog;
}

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kLabel = kChild | SS_LEFT | WS_GROUP;
constexpr DWORD kButton = kChild | BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kDefaultButton = kChild | BS_DEFPUSHBUTTON | WS_TABSTOP;
constexpr DWORD kEdit = kChild | ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;

void expectControls(const std::vector<Control>& read, const std::vector<Control>& expected) {
  ASSERT_EQ(read.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE("control " + std::to_string(i + 1) + " \"" + expected[i].text + "\"");
    EXPECT_EQ(read[i].id, expected[i].id);
    EXPECT_STRCASEEQ(read[i].kind.c_str(), expected[i].kind.c_str());
    EXPECT_EQ(read[i].text, expected[i].text);
    EXPECT_EQ(read[i].x, expected[i].x);
    EXPECT_EQ(read[i].y, expected[i].y);
    EXPECT_EQ(read[i].width, expected[i].width);
    EXPECT_EQ(read[i].height, expected[i].height);
    EXPECT_EQ(read[i].style, expected[i].style) << std::hex << read[i].style;
  }
}

TEST(DialogTemplate, MaterialList129) {
  DialogTemplate dialog = loadTemplate(IDD_MATERIAL_LIST);
  EXPECT_EQ(dialog.style, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT);
  EXPECT_EQ(dialog.width, 309);
  EXPECT_EQ(dialog.height, 158);
  EXPECT_EQ(dialog.title, "KVO Material Editor");
  EXPECT_EQ(dialog.pointSize, 8);
  EXPECT_EQ(dialog.font, "MS Sans Serif");
  const DWORD list = kChild | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL |
                     LVS_SORTASCENDING | LVS_AUTOARRANGE;
  expectControls(dialog.controls, {
                                      {1000, "SysListView32", "", 4, 20, 240, 116, list},
                                      {1, "button", "OK", 252, 20, 50, 14, kDefaultButton},
                                      {3, "button", "&Insert...", 252, 40, 50, 14, kButton},
                                      {4, "button", "&Edit...", 252, 60, 50, 14, kButton},
                                      {5, "button", "&Delete", 252, 80, 49, 14, kButton},
                                      {6, "button", "De&lete All", 252, 100, 49, 14, kButton},
                                      {2, "button", "Cancel", 252, 120, 50, 14, kButton},
                                      {1004, "static", "Static", 4, 4, 240, 8, kLabel},
                                      {1001, "static", "Errotile", 4, 140, 240, 8, kLabel},
                                  });
}

TEST(DialogTemplate, MaterialData136) {
  DialogTemplate dialog = loadTemplate(IDD_MATERIAL_DATA);
  EXPECT_EQ(dialog.style, WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT);
  EXPECT_EQ(dialog.width, 305);
  EXPECT_EQ(dialog.height, 178);
  EXPECT_EQ(dialog.title, "Dialog");
  EXPECT_EQ(dialog.pointSize, 8);
  EXPECT_EQ(dialog.font, "MS Sans Serif");
  const DWORD group = kChild | BS_GROUPBOX;
  expectControls(dialog.controls, {
                                      {-1, "static", "&Name", 12, 16, 48, 8, kLabel},
                                      {1003, "edit", "", 72, 12, 108, 12, kEdit},
                                      {-1, "static", "&Density", 12, 32, 48, 8, kLabel},
                                      {1004, "edit", "", 72, 28, 108, 12, kEdit},
                                      {-1, "static", "&Young Modul", 12, 48, 48, 8, kLabel},
                                      {1005, "edit", "", 72, 44, 108, 12, kEdit},
                                      {-1, "static", "&Poisson Ratio", 12, 64, 48, 8, kLabel},
                                      {1006, "edit", "", 72, 60, 108, 12, kEdit},
                                      {-1, "static", "Y&ield Strength", 12, 80, 48, 8, kLabel},
                                      {1007, "edit", "", 72, 76, 108, 12, kEdit},
                                      {-1, "static", "&Tensile Strength", 12, 96, 56, 8, kLabel},
                                      {1008, "edit", "", 72, 92, 108, 12, kEdit},
                                      {-1, "static", "T&h. conductivity", 12, 112, 56, 8, kLabel},
                                      {1009, "edit", "", 72, 108, 108, 12, kEdit},
                                      {-1, "static", "&Linear Expansion", 12, 128, 56, 8, kLabel},
                                      {1010, "edit", "", 72, 124, 108, 12, kEdit},
                                      {-1, "static", "&Specific Heat", 12, 144, 48, 8, kLabel},
                                      {1011, "edit", "", 72, 140, 108, 12, kEdit},
                                      {1, "button", "OK", 248, 8, 50, 14, kDefaultButton},
                                      {2, "button", "Cancel", 248, 28, 50, 14, kButton},
                                      {-1, "button", "Material data", 4, 4, 236, 156, group},
                                      {1001, "static", "Errortile", 4, 164, 184, 8, kLabel},
                                      {-1, "static", "[g/cm^3]", 184, 32, 36, 8, kLabel},
                                      {-1, "static", "[GPa]", 184, 48, 24, 8, kLabel},
                                      {-1, "static", "[MPa]", 184, 80, 28, 8, kLabel},
                                      {-1, "static", "[MPa]", 184, 96, 28, 8, kLabel},
                                      {-1, "static", "[W/(m x K)]", 184, 112, 37, 8, kLabel},
                                      {-1, "static", "[10^-5m/(m xC)]", 184, 128, 52, 8, kLabel},
                                      {-1, "static", "[J/(Kg x K)]", 184, 144, 36, 8, kLabel},
                                  });
}

}  // namespace
