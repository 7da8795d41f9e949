#include "FakeDialogControls.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <utility>

#include "MaterialDataDialogIds.h"
#include "MaterialListDialogIds.h"

FakeDialogControls::FakeDialogControls(std::map<int, std::string> templateTexts)
    : texts(std::move(templateTexts)) {}

char* FakeDialogControls::controlText(int id) {
  if (textCopiesBeforeFailure == 0) return nullptr;
  if (textCopiesBeforeFailure > 0) --textCopiesBeforeFailure;
  auto found = texts.find(id);
  const std::string& text = found != texts.end() ? found->second : std::string();
  char* copy = static_cast<char*>(std::malloc(text.size() + 1));
  if (copy != nullptr) std::memcpy(copy, text.c_str(), text.size() + 1);
  return copy;
}

void FakeDialogControls::setControlText(int id, const char* text) {
  auto found = texts.find(id);
  if (found != texts.end()) found->second = text;
}

void FakeDialogControls::focusControl(int id) {
  if (texts.count(id) != 0) focusedId = id;
}

void FakeDialogControls::setTitle(const char* text) { title = text; }

int FakeDialogControls::showMessageBox(const char* text, const char* caption, unsigned style) {
  messageBoxes.push_back({text, caption, style});
  const unsigned kButtons = 0xF;
  if ((style & kButtons) == MessageBoxStyle::kOk) return MessageBoxAnswer::kOk;
  if (answers.empty()) {
    ADD_FAILURE() << "unexpected message box \"" << text << "\"";
    return MessageBoxAnswer::kNo;
  }
  int answer = answers.front();
  answers.pop_front();
  return answer;
}

void FakeDialogControls::endDialog(DialogResult ending) {
  EXPECT_FALSE(result.has_value()) << "the dialog was ended twice";
  result = ending;
}

void FakeDialogControls::type(int id, const std::string& text) {
  ASSERT_EQ(texts.count(id), 1u) << "no control " << id;
  texts[id] = text;
}

const std::string& FakeDialogControls::text(int id) const {
  static const std::string none;
  auto found = texts.find(id);
  return found != texts.end() ? found->second : none;
}

FakeDialogControls dataDialogControls() {
  return FakeDialogControls({{1, "OK"},
                             {2, "Cancel"},
                             {IDC_DATA_MESSAGE_LINE, "Errortile"},
                             {IDC_DATA_NAME, ""},
                             {IDC_DATA_DENSITY, ""},
                             {IDC_DATA_YOUNG_MODULUS, ""},
                             {IDC_DATA_POISSON_RATIO, ""},
                             {IDC_DATA_YIELD_STRENGTH, ""},
                             {IDC_DATA_TENSILE_STRENGTH, ""},
                             {IDC_DATA_THERMAL_CONDUCTIVITY, ""},
                             {IDC_DATA_LINEAR_EXPANSION, ""},
                             {IDC_DATA_SPECIFIC_HEAT, ""}});
}

FakeDialogControls listDialogControls() {
  return FakeDialogControls({{1, "OK"},
                             {2, "Cancel"},
                             {IDC_LIST_INSERT, "&Insert..."},
                             {IDC_LIST_EDIT, "&Edit..."},
                             {IDC_LIST_DELETE, "&Delete"},
                             {IDC_LIST_DELETE_ALL, "De&lete All"},
                             {IDC_LIST_MATERIALS, ""},
                             {IDC_LIST_MESSAGE_LINE, "Errotile"},
                             {IDC_LIST_FILE_PATH, "Static"}});
}
