// The layer's HANDLE values: each is the address of a live object registered
// here, so a stale or foreign value is recognised and refused with
// ERROR_INVALID_HANDLE instead of being used. Kinds of handles (files,
// searches, and those added later such as processes) derive from
// HandleObject.
#pragma once

#include <windows.h>

namespace winport {

class HandleObject {
 public:
  virtual ~HandleObject() = default;
  // Releases what the handle holds; the result is what CloseHandle returns
  // (with the last error set on failure).
  virtual BOOL Close() { return TRUE; }
  // False for handles that only their own call may close (FindClose).
  virtual bool ClosedByCloseHandle() const { return true; }
};

// Registers the object (owned by the table from now on) and returns its handle.
HANDLE RegisterHandle(HandleObject* object);
// The live object behind a handle, or nullptr.
HandleObject* FindHandle(HANDLE handle);
// Removes the handle and hands its object back to the caller; nullptr when
// the handle is not live.
HandleObject* UnregisterHandle(HANDLE handle);

// The live object of type T behind a handle; nullptr with
// ERROR_INVALID_HANDLE as last error when there is none.
template <typename T>
T* LookupHandle(HANDLE handle) {
  T* object = dynamic_cast<T*>(FindHandle(handle));
  if (!object) SetLastError(ERROR_INVALID_HANDLE);
  return object;
}

}  // namespace winport
