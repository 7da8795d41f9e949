// The seam of the file layer: every operating-system call through which a
// material file is opened, read, written, flushed, synced, closed, renamed
// or removed asks fail() first, and when it answers true behaves exactly as
// that call failing would. That is how tests reach the paths a full disk or a
// dropped network drive takes, one operation after another.
//
// Unarmed, which the product always is, fail() costs one compare. Only the
// tests' own FileFaultInjection (tests/support) can arm it: no code of the
// product can name the countdown.
#pragma once

class FileOperationFaults {
 public:
  // True when this operation is to fail; errno is then EIO.
  static bool fail() { return countdown_ != 0 && countDown(); }

 private:
  friend class FileFaultInjection;

  static bool countDown();

  // Operations until the one that fails, that one included; 0 when unarmed.
  // It falls to 0 as that one fails, so one arming fails one operation.
  static long countdown_;
};
