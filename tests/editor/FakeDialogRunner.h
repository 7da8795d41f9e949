// Shows the dialogs "modally" in memory: each run initialises the dialog on
// fake controls, then hands it to the next queued user, who acts on it as the
// user would while it is open and must end it.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "DialogRunner.h"
#include "FakeDialogControls.h"
#include "FakeListView.h"

class FakeDialogRunner : public DialogRunner {
 public:
  using DataDialogUser = std::function<void(MaterialDataDialog&, FakeDialogControls&)>;
  using ListDialogUser =
      std::function<void(MaterialListDialog&, FakeDialogControls&, FakeListView&)>;

  bool runModal(MaterialListDialog& dialog) override;
  bool runModal(MaterialDataDialog& dialog) override;

  std::deque<DataDialogUser> dataDialogUsers;
  std::deque<ListDialogUser> listDialogUsers;
  int dataDialogsShown = 0;
};

// A user of the data dialog who types these nine texts (name, then the eight
// numbers in presentation order) and presses OK once.
FakeDialogRunner::DataDialogUser typesAndPressesOk(const std::vector<std::string>& fields);

// One who presses Cancel at once.
FakeDialogRunner::DataDialogUser pressesCancel();
