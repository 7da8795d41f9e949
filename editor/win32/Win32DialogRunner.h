// Shows the editor's dialogs from the templates in the module's own
// resources, each modal to the one open before it (the list dialog has no
// owner). Holds no state; one may live as long as the module.
#pragma once

#include "DialogRunner.h"

class Win32DialogRunner final : public DialogRunner {
 public:
  bool runModal(MaterialListDialog& dialog) override;
  bool runModal(MaterialDataDialog& dialog) override;
};
