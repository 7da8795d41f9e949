// The script's dialog verbs on the controls of the active modal window, done
// by the dialog driver library as a user does them.
#pragma once

#include "ScriptDrivers.h"

class Win32DialogVerbs final : public DialogVerbs {
 public:
  ActionResult setText(int controlId, const std::string& text) override;
  ActionResult selectRow(const std::string& name) override;
  ActionResult pressKey(ScriptKey key) override;
  ActionResult controlText(int controlId, std::string& text) override;
  ActionResult focusedControl(int& controlId) override;
  ActionResult listRows(std::vector<std::string>& rows) override;
};
