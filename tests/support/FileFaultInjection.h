// Arms the file layer's seam (FileOperationFaults): the Nth file operation
// from now fails, once, as a failing disk would make it fail.
#pragma once

class FileFaultInjection {
 public:
  // `failing` counts from 1.
  static void arm(long failing);
  // Whether the armed operation has failed; disarms either way. `performed`
  // receives the operations made since arm(), the failed one included.
  static bool disarm(long* performed = nullptr);
};
