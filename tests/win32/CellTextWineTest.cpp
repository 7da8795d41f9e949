// The number columns keep no texts: the list view asks the dialog for a cell
// when it draws it or hands its text out. Under the real control the list
// must look and read exactly as a list handed every text at the refill.
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "DialogSession.h"
#include "MaterialListDialogIds.h"
#include "MaterialProperty.h"
#include "NumberText.h"

namespace {

const Material* materialAt(const MaterialNode* head, int nodeIndex) {
  for (int i = 0; head != nullptr && i < nodeIndex; ++i) head = head->nextNode;
  return head != nullptr ? head->material : nullptr;
}

// A second list view over the dialog's, of its styles, size, font and
// columns, with the same rows in the same places and the same state, every
// cell set as a text formatted as the refill formatted it before.
HWND listOfSetTexts(HWND dialogWindow, HWND shown, const MaterialNode* head) {
  RECT place;
  GetWindowRect(shown, &place);
  MapWindowPoints(nullptr, dialogWindow, reinterpret_cast<POINT*>(&place), 2);
  DWORD style = static_cast<DWORD>(GetWindowLongA(shown, GWL_STYLE)) & ~LVS_SORTASCENDING;
  HWND reference = CreateWindowExA(static_cast<DWORD>(GetWindowLongA(shown, GWL_EXSTYLE)),
                                   WC_LISTVIEWA, "", style, place.left, place.top,
                                   place.right - place.left, place.bottom - place.top,
                                   dialogWindow, nullptr, nullptr, nullptr);
  SendMessageA(reference, WM_SETFONT, SendMessageA(shown, WM_GETFONT, 0, 0), FALSE);
  ListViewReader rows(shown);
  for (int column = 0; column < rows.columnCount(); ++column) {
    char title[64];
    LVCOLUMNA header = {};
    header.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    header.pszText = title;
    header.cchTextMax = sizeof title;
    SendMessageA(shown, LVM_GETCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&header));
    SendMessageA(reference, LVM_INSERTCOLUMNA, static_cast<WPARAM>(column),
                 reinterpret_cast<LPARAM>(&header));
  }
  ListView shownView;
  shownView.attach(shown);
  for (int position = 0; position < rows.rowCount(); ++position) {
    char name[256];
    rows.cellText(position, 0, name, sizeof name);
    LVITEMA row = {};
    row.mask = LVIF_TEXT | LVIF_PARAM | LVIF_STATE;
    row.iItem = position;
    row.pszText = name;
    row.lParam = shownView.itemData(position);
    row.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    row.state = static_cast<UINT>(SendMessageA(shown, LVM_GETITEMSTATE, static_cast<WPARAM>(position),
                                               LVIS_SELECTED | LVIS_FOCUSED));
    SendMessageA(reference, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&row));
    const Material* material = materialAt(head, static_cast<int>(row.lParam));
    for (int column = 1; material != nullptr && column <= kPropertyCount; ++column) {
      char text[kNumberTextSize];
      formatNumber(propertyValue(*material, propertyAt(column - 1)), text);
      LVITEMA cell = {};
      cell.iSubItem = column;
      cell.pszText = text;
      SendMessageA(reference, LVM_SETITEMTEXTA, static_cast<WPARAM>(position),
                   reinterpret_cast<LPARAM>(&cell));
    }
  }
  return reference;
}

std::string cellA(HWND list, int position, int column, int size) {
  std::vector<char> text(static_cast<std::size_t>(size) + 1, '#');
  LVITEMA cell = {};
  cell.iSubItem = column;
  cell.pszText = text.data();
  cell.cchTextMax = size;
  SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&cell));
  return std::string(text.data(), text.size());
}

std::wstring cellW(HWND list, int position, int column, int size) {
  std::vector<wchar_t> text(static_cast<std::size_t>(size) + 1, L'#');
  LVITEMW cell = {};
  cell.iSubItem = column;
  cell.pszText = text.data();
  cell.cchTextMax = size;
  SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&cell));
  return std::wstring(text.data(), text.size());
}

std::string narrowed(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// Every cell as both hand it out, into a buffer with room and into one too
// small, whole buffers compared (nothing may be written past the cut). Wine's
// list view leaves a text of its own unterminated when it cuts it for an
// ANSI buffer (the names show it in both lists); the dialog's answer is cut
// and ended as the UTF-16 one is.
std::string textDifferences(HWND shown, HWND reference) {
  std::string found;
  for (int position = 0; position < ListViewReader(shown).rowCount(); ++position)
    for (int column = 0; column <= kPropertyCount; ++column)
      for (int size : {260, 4}) {
        std::wstring wide = cellW(reference, position, column, size);
        std::string narrow = cellA(shown, position, column, size);
        bool whole = size == 260 || column == 0;  // as Wine cuts it, if at all
        bool same = cellW(shown, position, column, size) == wide &&
                    narrow == (whole ? cellA(reference, position, column, size) : narrowed(wide));
        if (!same)
          found += "row " + std::to_string(position) + ", column " + std::to_string(column) +
                   ", room " + std::to_string(size) + ": \"" + narrow.c_str() + "\"\n";
      }
  return found;
}

// The control drawn into a bitmap, as it draws itself on screen, with the
// keyboard focus as the dialog's list has it.
std::vector<DWORD> picture(HWND list) {
  SetFocus(list);
  RECT size;
  GetWindowRect(list, &size);
  BITMAPINFO format = {};
  format.bmiHeader.biSize = sizeof format.bmiHeader;
  format.bmiHeader.biWidth = size.right - size.left;
  format.bmiHeader.biHeight = size.bottom - size.top;
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC canvas = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateDIBSection(screen, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(canvas, bitmap);
  SendMessageA(list, WM_PRINT, reinterpret_cast<WPARAM>(canvas),
               PRF_CLIENT | PRF_NONCLIENT | PRF_CHILDREN | PRF_ERASEBKGND);
  GdiFlush();
  const DWORD* pixels = static_cast<const DWORD*>(bits);
  std::vector<DWORD> copy(pixels, pixels + format.bmiHeader.biWidth * format.bmiHeader.biHeight);
  SelectObject(canvas, previous);
  DeleteObject(bitmap);
  DeleteDC(canvas);
  ReleaseDC(nullptr, screen);
  return copy;
}

std::string pictureDifference(HWND shown, HWND reference) {
  std::vector<DWORD> expected = picture(reference);
  std::vector<DWORD> drawn = picture(shown);
  long differing = 0;
  for (std::size_t i = 0; i < drawn.size() && i < expected.size(); ++i) differing += drawn[i] != expected[i];
  bool blank = true;
  for (DWORD pixel : drawn) blank = blank && pixel == drawn[0];
  if (blank) return "nothing was drawn";
  if (differing == 0 && drawn.size() == expected.size()) return "";
  return std::to_string(differing) + " pixels differ";
}

// The dialog answers that it takes its notifications in UTF-16.
WNDPROC dialogProcedure = nullptr;
int wideRequests = 0;

LRESULT CALLBACK askingInUtf16(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFYFORMAT && lParam == NF_QUERY) return NFR_UNICODE;
  if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == LVN_GETDISPINFOW)
    ++wideRequests;
  return CallWindowProcA(dialogProcedure, window, message, wParam, lParam);
}

class CellTexts : public ListDialogSession {
 protected:
  // Numbers of every form the format writes; an unset record reads 0.
  static MaterialList materialsOfEveryForm() {
    MaterialList head = createNode();
    Material* tiny = makeMaterial("Tiny", 1.23456789);
    tiny->setYoungModulus(2.1e11);
    tiny->setLinearExpansion(1e-5);
    tiny->setSpecificHeat(-273.15);
    append(head, tiny);
    Material* unset = createMaterial();
    unset->setName("Unset");
    append(head, unset);
    append(head, makeMaterial("brass", 8.5));
    append(head, makeMaterial("brass", 1e100));
    append(head, makeMaterial("gone", 1));
    removeAt(head, 4);  // the next row counts through an empty node
    append(head, makeMaterial("Zinc", 7.14));
    return head;
  }

  void compareWithSetTexts(const std::function<void(HWND window, HWND list)>& before) {
    dialog.materials = materialsOfEveryForm();
    peer.rememberRow(2);  // a selected row draws its text in other colours
    driver.check([&](HWND window) -> std::string {
      HWND shown = GetDlgItem(window, IDC_LIST_MATERIALS);
      if (before) before(window, shown);
      HWND reference = listOfSetTexts(window, shown, dialog.materials);
      std::string found = textDifferences(shown, reference) + pictureDifference(shown, reference);
      DestroyWindow(reference);
      return found;
    });
    driver.press("Cancel");
    run();
    expectDriven();
  }
};

TEST_F(CellTexts, ReadAndLookAsTextsSetAtTheRefill) { compareWithSetTexts(nullptr); }

TEST_F(CellTexts, AControlThatAsksInUtf16GetsTheSameTexts) {
  wideRequests = 0;
  compareWithSetTexts([](HWND window, HWND list) {
    dialogProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(askingInUtf16)));
    SendMessageA(list, WM_NOTIFYFORMAT, reinterpret_cast<WPARAM>(window), NF_REQUERY);
  });
  EXPECT_GT(wideRequests, 0);
}

}  // namespace
