#include "handle_table.h"

#include <mutex>
#include <unordered_set>

namespace winport {
namespace {

std::mutex& TableMutex() {
  static std::mutex* mutex = new std::mutex;  // never destroyed, like the table
  return *mutex;
}

std::unordered_set<HandleObject*>& Table() {
  static std::unordered_set<HandleObject*>* table = new std::unordered_set<HandleObject*>;
  return *table;  // never destroyed: handles may be closed from other libraries' destructors
}

}  // namespace

HANDLE RegisterHandle(HandleObject* object) {
  std::lock_guard<std::mutex> lock(TableMutex());
  Table().insert(object);
  return static_cast<HANDLE>(object);
}

HandleObject* FindHandle(HANDLE handle) {
  std::lock_guard<std::mutex> lock(TableMutex());
  auto it = Table().find(static_cast<HandleObject*>(handle));
  return it == Table().end() ? nullptr : *it;
}

HandleObject* UnregisterHandle(HANDLE handle) {
  std::lock_guard<std::mutex> lock(TableMutex());
  auto it = Table().find(static_cast<HandleObject*>(handle));
  if (it == Table().end()) return nullptr;
  HandleObject* object = *it;
  Table().erase(it);
  return object;
}

}  // namespace winport

extern "C" BOOL WINAPI CloseHandle(HANDLE hObject) {
  // INVALID_HANDLE_VALUE is also the current process's own pseudo handle,
  // which Windows lets a program "close" to no effect.
  if (hObject == INVALID_HANDLE_VALUE) return TRUE;
  winport::HandleObject* object = winport::FindHandle(hObject);
  if (!object || !object->ClosedByCloseHandle()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  object = winport::UnregisterHandle(hObject);
  if (!object) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  BOOL result = object->Close();
  delete object;
  return result;
}
