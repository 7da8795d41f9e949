#include "MessageBoxLog.h"

#include <cstring>

namespace {

template <typename T>
T* at(HMODULE module, DWORD offset) {
  return reinterpret_cast<T*>(reinterpret_cast<BYTE*>(module) + offset);
}

// The import address table entry through which `module` calls `function` of
// `library`, found by the name in its import name table; null when none.
ULONG_PTR* importEntry(HMODULE module, const char* library, const char* function) {
  auto* dos = at<IMAGE_DOS_HEADER>(module, 0);
  auto* headers = at<IMAGE_NT_HEADERS>(module, static_cast<DWORD>(dos->e_lfanew));
  const IMAGE_DATA_DIRECTORY& imports =
      headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (imports.VirtualAddress == 0) return nullptr;
  for (auto* entry = at<IMAGE_IMPORT_DESCRIPTOR>(module, imports.VirtualAddress); entry->Name != 0;
       ++entry) {
    if (lstrcmpiA(at<char>(module, entry->Name), library) != 0 || entry->OriginalFirstThunk == 0)
      continue;
    auto* names = at<IMAGE_THUNK_DATA>(module, entry->OriginalFirstThunk);
    auto* addresses = at<IMAGE_THUNK_DATA>(module, entry->FirstThunk);
    for (; names->u1.AddressOfData != 0; ++names, ++addresses) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      auto* byName = at<IMAGE_IMPORT_BY_NAME>(module, static_cast<DWORD>(names->u1.AddressOfData));
      if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0)
        return &addresses->u1.Function;
    }
  }
  return nullptr;
}

}  // namespace

MessageBoxLog* MessageBoxLog::instance_ = nullptr;

MessageBoxLog::MessageBoxLog() { instance_ = this; }

MessageBoxLog::~MessageBoxLog() { instance_ = nullptr; }

bool MessageBoxLog::attach(HMODULE module) {
  ULONG_PTR* entry = importEntry(module, "user32.dll", "MessageBoxA");
  if (entry == nullptr) return false;
  DWORD protection = 0;
  if (!VirtualProtect(entry, sizeof *entry, PAGE_READWRITE, &protection)) return false;
  original_ = reinterpret_cast<MessageBoxFunction>(*entry);
  *entry = reinterpret_cast<ULONG_PTR>(&recordedMessageBox);
  VirtualProtect(entry, sizeof *entry, protection, &protection);
  return true;
}

const MessageBoxCall* MessageBoxLog::innermostOpen() const {
  for (auto call = calls_.rbegin(); call != calls_.rend(); ++call)
    if (call->open) return &*call;
  return nullptr;
}

int WINAPI MessageBoxLog::recordedMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT style) {
  MessageBoxLog& log = *instance_;
  std::size_t index = log.calls_.size();
  log.calls_.push_back(MessageBoxCall{owner, text != nullptr ? text : "",
                                      caption != nullptr ? caption : "", style, true});
  int answer = log.original_(owner, text, caption, style);
  log.calls_[index].open = false;
  return answer;
}
