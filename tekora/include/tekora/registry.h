// Registry access: an open key that remembers the last error, and values of
// a fixed place (a string or a 32-bit number) kept in memory and written back
// on request or on destruction.
//
// Every operation that calls the registry stores the Windows error code of
// that call as the last error (0 for success) and returns 1 on success, 0 on
// failure. Nothing is shown to the user and no exception leaves a call.
#pragma once

#include <afx.h>
#include <windows.h>

class PARegKey : public CObject {
 public:
  // A closed key: no handle, last error 0, enumeration at the first sub-key.
  PARegKey();
  // Closes the key when it is open.
  ~PARegKey() override;

  // Opens root\subKey with the access mask (KEY_READ, KEY_ALL_ACCESS ...); a
  // key this object held open is closed first.
  int Open(HKEY root, LPCSTR subKey, unsigned int access);
  // Opens root\subKey, creating it (and the keys above it) when missing; a
  // new key gets className (null or "" for none) as its class.
  int Create(HKEY root, LPCSTR subKey, LPCSTR className, unsigned int access);
  // Deletes root\subKey, which must have no sub-keys, with its values.
  int DeleteKey(HKEY root, LPCSTR subKey);
  // Closes the key; 1 also when none was open. The handle becomes null.
  int Close();
  // The name and class of the sub-key at the enumeration index, which then
  // moves on by one (also when the call fails). Names of any length up to
  // 16383 characters come back whole. 0 at the end (last error 259).
  int EnumSubKey(CString& name, CString& className);
  // Deletes a value of the key.
  int DeleteValue(LPCSTR valueName);
  // Reads a REG_SZ value; another type fails with last error 1804.
  int QueryString(LPCSTR valueName, CString& text);
  // Reads a REG_BINARY value into a new buffer that the caller frees with
  // free(); *size (if size is not null) receives its length in bytes.
  // Another type fails with last error 1804.
  int QueryBinary(LPCSTR valueName, unsigned int* size, unsigned char** data);
  // Reads a REG_MULTI_SZ value (strings each ending in a zero, then one more
  // zero) into a new buffer that the caller frees with free(); *size (if not
  // null) receives the value's length in bytes. The buffer always ends with
  // two zeros, also when the stored value lacks them. Another type fails
  // with last error 1804.
  int QueryMultiString(LPCSTR valueName, unsigned int* size, char** data);
  // Stores text as a REG_SZ value (with its terminating zero). 0 without a
  // registry call when the key is not open or text is null.
  int SetString(LPCSTR valueName, LPCSTR text);
  // Reads a REG_DWORD value; another type or size fails with last error 1804.
  int QueryDword(LPCSTR valueName, unsigned int& value);
  // Stores a REG_DWORD value.
  int SetDword(LPCSTR valueName, unsigned int value);
  // The four operations above on the key's default (unnamed) value.
  int QueryDefaultString(CString& text);
  int SetDefaultString(LPCSTR text);
  int QueryDefaultDword(unsigned int& value);
  int SetDefaultDword(unsigned int value);
  // One line "name=data\n" per REG_SZ, REG_MULTI_SZ (its strings joined by
  // carriage returns) and REG_EXPAND_SZ value (expanded); other values are
  // skipped. text starts empty. 0 when the key cannot be queried.
  int ReadAllValues(CString& text);
  // Deletes root\subKey with every key and value below it. This object's own
  // key stays as it is; the last error is that of the call that decided.
  int DeleteKeyTree(HKEY root, LPCSTR subKey);
  // Searches root\subKey and then its sub-keys, depth first, for a REG_SZ
  // value of that name; 1 with text set to the first one found, else 0.
  static int FindStringValue(HKEY root, LPCSTR subKey, LPCSTR valueName, CString& text);

  // The open key, or null.
  HKEY GetKey() const;
  // The Windows error code of the last registry call (0 for success).
  int GetLastError() const;
  // The index of the sub-key that EnumSubKey reads next.
  int GetEnumIndex() const;
  void SetEnumIndex(int index);

 protected:
  HKEY m_hKey;
  int m_nLastError;
  int m_nEnumIndex;

 private:
  // Stores the error code as the last error; 1 for ERROR_SUCCESS, else 0.
  int Result(LONG error);
  // Closes the key held so far and holds `key` (null after a failure).
  int Replace(HKEY key, LONG error);
  // Reads a value of the expected type into a malloc'ed buffer with
  // extraZeros + 1 zero bytes after the data.
  int QueryBuffer(LPCSTR valueName, DWORD expectedType, unsigned int extraZeros, unsigned int* size,
                  void** data);
};

// One string value at a fixed place (root\subKey, valueName).
class PARegString : public PARegKey {
 public:
  // No place; nothing to read or write.
  PARegString();
  // The value at root\subKey\valueName with defaultText as its value; with
  // readNow set it is read at once (Read), and with writeOnDestruction set a
  // changed value is written when the object is destroyed.
  PARegString(HKEY root, LPCSTR subKey, LPCSTR valueName, LPCSTR defaultText, int readNow,
              int writeOnDestruction);
  // Writes a changed value first when write on destruction is set.
  ~PARegString() override;

  // The value becomes defaultText, then the stored text when it can be read
  // (the key is opened for reading and closed again). The result is the
  // read's: a missing value keeps the default and gives 0.
  int Read(LPCSTR defaultText);
  // The value in memory.
  const CString& Get() const;
  // Changes the value in memory and marks it changed.
  PARegString& Set(LPCSTR text);
  // Stores the value, creating the key when needed; the key stays open for
  // later writes. On success the value is no longer marked changed.
  int Write();
  // Deletes the value from the registry (creating the key when needed). On
  // success the value is no longer marked changed.
  int Delete();
  // Whether the value was changed since it was last written or deleted.
  int IsModified() const;

 protected:
  HKEY m_hRoot;
  CString m_strSubKey;
  CString m_strValueName;
  CString m_strValue;
  int m_bModified;
  int m_bWriteOnDestruction;

 private:
  int OpenForWriting();
};

// One 32-bit number at a fixed place; as PARegString.
class PARegDword : public PARegKey {
 public:
  PARegDword();
  PARegDword(HKEY root, LPCSTR subKey, LPCSTR valueName, int defaultValue, int readNow, int writeOnDestruction);
  ~PARegDword() override;

  int Read(int defaultValue);
  int Get() const;
  PARegDword& Set(int value);
  int Write();
  int IsModified() const;

 protected:
  HKEY m_hRoot;
  CString m_strSubKey;
  CString m_strValueName;
  int m_nValue;
  int m_bModified;
  int m_bWriteOnDestruction;
};
