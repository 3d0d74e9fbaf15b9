// Configuration items: one key of one section of one INI file, held in
// memory with its address (file, section, key), a default and a value.
//
// Items never touch the disk themselves: every read, write and removal goes
// through the shared profile cache (PAGetPrivateProfileString and
// PAWritePrivateProfileString), so a change is seen at once by every reader
// of the same file and reaches the disk when the cache saves the file.
//
//   PAObject        the file path and the do-not-store flag
//   PAConfigObject  section and key
//   PAConfigString  default and value, reading, writing, serialisation
//   PAConfigInt     the value as a number ("YES"/"NO" and decimal text)
//
// The runtime class record of PAConfigString names CObject as its base, so
// IsKindOf(PAObject) and IsKindOf(PAConfigObject) are false for a
// PAConfigString or PAConfigInt although they are built on those layers.
#pragma once

#include <afx.h>

#include <tekora/ini_file.h>
#include <tekora/shared_text.h>

class PAObject : public CObject {
  DECLARE_SERIAL(PAObject)
 public:
  // The do-not-store flag cleared, then SetFile(file).
  explicit PAObject(LPCSTR file = NULL);
  ~PAObject() override;

  static CRuntimeClass* GetThisClass();

  // A non-null file replaces the stored path as it is (no trimming, no
  // normalising); null leaves it. Result: HasFile.
  int SetFile(LPCSTR file);
  // 1 when the file path is not empty, else 0.
  int HasFile() const;
  // Writes the cached copy of the file to disk (the profile cache's save
  // call); its result.
  int Flush();

  LPCSTR GetFile() const;
  // Non-zero: the item is neither read from nor written to the file (its
  // value is computed at run time); a tree's Save deletes its key instead.
  int GetDoNotStore() const;
  void SetDoNotStore(int doNotStore);

 protected:
  // The address texts are shared with the other items of a loaded node.
  tekora::SharedText m_strFile;
  int m_bDoNotStore;
};

class PAConfigObject : public PAObject {
  DECLARE_SERIAL(PAConfigObject)
 public:
  // No file, then Init(file, section, key); the result of Init is dropped.
  explicit PAConfigObject(LPCSTR file = NULL, LPCSTR section = NULL, LPCSTR key = NULL);
  ~PAConfigObject() override;

  static CRuntimeClass* GetThisClass();
  // The runtime class of PAObject (the base named by this class's record).
  static CRuntimeClass* GetBaseClass();

  // SetFile(file); when no file path is stored then, 0 at once (section and
  // key unchanged). Else a non-null section and key replace the stored ones;
  // the result is IsComplete(0).
  int Init(LPCSTR file, LPCSTR section, LPCSTR key);
  // 1 when file, section and key are all non-empty and, with checkFile
  // non-zero, the file exists; else 0.
  int IsComplete(int checkFile) const;
  // Deletes the key from the cached file, or with wholeSection non-zero the
  // whole section. The result of the profile call. The do-not-store flag
  // is not looked at.
  int Remove(int wholeSection);

  LPCSTR GetSection() const;
  LPCSTR GetKey() const;

 protected:
  tekora::SharedText m_strSection;
  tekora::SharedText m_strKey;
};

class PAConfigString : public PAConfigObject {
  DECLARE_SERIAL(PAConfigString)
 public:
  // Empty, then Init(file, section, key, defaultValue); the result of Init
  // is dropped.
  explicit PAConfigString(LPCSTR file = NULL, LPCSTR section = NULL, LPCSTR key = NULL,
                          LPCSTR defaultValue = NULL);
  ~PAConfigString() override;

  static CRuntimeClass* GetThisClass();

  // Stores or loads the default and then the value (the framework's CString
  // archive form). File, section, key and the do-not-store flag are not
  // stored. A short archive throws the archive exception (end of file).
  void Serialize(CArchive& ar) override;

  // PAConfigObject::Init (its result ignored), then a non-null default
  // replaces the stored one (also when no file is stored). IsComplete(0).
  int Init(LPCSTR file, LPCSTR section, LPCSTR key, LPCSTR defaultValue);
  // Reads the value from the cached file: at most 2599 characters; a key the
  // file lacks is added to the cache with the default; an empty result
  // becomes the default. 1; 0 (value unchanged) when the item is
  // do-not-store or incomplete.
  int Read();
  // Writes the value into the cached file: the result of the profile call;
  // 0 without writing when the item is do-not-store or incomplete.
  int Write();
  // The value (valid while the item lives and is unchanged).
  LPCSTR GetValue() const;
  void SetValue(LPCSTR value);

  LPCSTR GetDefault() const;

 protected:
  CString m_strDefault;
  // Read from the profile cache, the cached value's own text.
  tekora::SharedText m_strValue;

 private:
  friend class PANodeObject;
  // Read and Write on the cached section of this item's file and section,
  // found by the caller: a tree finds it once for all the items of a node.
  int ReadFromSection(PAIniSection* section);
  int WriteToSection(PAIniSection* section);
  // Gives the item its file, section and key (shared, not copied), as Init
  // with these non-empty texts would.
  void ShareAddress(const tekora::SharedText& file, const tekora::SharedText& section,
                    const tekora::SharedText& key);
  // Gives the item a value that it shares rather than copies.
  void ShareValue(const tekora::SharedText& value);
};

class PAConfigInt : public PAConfigString {
  DECLARE_SERIAL(PAConfigInt)
 public:
  explicit PAConfigInt(LPCSTR file = NULL, LPCSTR section = NULL, LPCSTR key = NULL,
                       LPCSTR defaultValue = NULL);
  ~PAConfigInt() override;

  static CRuntimeClass* GetThisClass();
  // The runtime class of PAConfigString.
  static CRuntimeClass* GetBaseClass();

  // The value becomes the decimal text of n.
  void SetInt(int n);
  // 1 for "+", "-", "." and the characters the user's locale classes as
  // decimal digits; else 0 (one entry point with PAIniEntry's).
  static int IsNumberChar(char c) { return PAIniEntry::IsNumberChar(c); }
  // 1 when the text, trimmed, is "YES" or "NO" (any case) or consists of
  // characters that IsNumberChar accepts only; so the empty text, "1-2",
  // ".." and "1.5" give 1, and "12a" gives 0. 0 for null.
  static int IsNumber(LPCSTR text);
  // The value as a number: "YES" 1, "NO" 0 (exact words after upper-casing,
  // untrimmed), else atoi ("3.9" 3, "" 0). 1; 0 with *value untouched when
  // IsNumber of the value is 0 or value is null.
  int GetInt(int* value) const;
};

extern "C" {
// The runtime class of CObject: the base named by the records of PAObject,
// PAConfigString and the other classes built directly on CObject.
CRuntimeClass* PAGetObjectClass(void);
}  // extern "C"
