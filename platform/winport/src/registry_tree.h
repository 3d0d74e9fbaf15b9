// The in-memory registry of one root: a tree of keys with typed values.
// Names of keys and values are compared without regard to case. Its text
// form, the .reg file, is read and written by reg_format.h.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace winport {
namespace registry {

struct Value {
  std::string name;  // "" is the key's default value ("@" in the file)
  DWORD type = REG_NONE;
  std::string data;  // the bytes as the 8-bit calls see them
};

class Key {
 public:
  explicit Key(std::string name = std::string()) : name_(std::move(name)) {}

  const std::string& name() const { return name_; }
  // The class text given when the key was created ("" for none).
  const std::string& className() const { return class_; }
  void setClassName(std::string className) { class_ = std::move(className); }
  const std::vector<Value>& values() const { return values_; }  // in creation order
  const std::vector<std::unique_ptr<Key>>& subkeys() const { return subkeys_; }  // sorted by name

  Key* FindSubkey(const std::string& name) const;
  // The sub-key of that name, created (in sorted place) when missing.
  Key* AddSubkey(const std::string& name, bool* created);
  // Removes the sub-key with everything below it; false when there is none.
  bool RemoveSubkey(const std::string& name);

  const Value* FindValue(const std::string& name) const;
  // Sets a value; an existing one keeps its place and the case of its name.
  void SetValue(const std::string& name, DWORD type, std::string data);
  bool RemoveValue(const std::string& name);

  // The key at `path` below this one, or nullptr.
  Key* Find(const std::vector<std::string>& path);

 private:
  // The value names in lower case (ASCII), so that a name is found in
  // constant time: a key may hold thousands of values.
  static std::string Folded(const std::string& name);
  std::vector<std::unique_ptr<Key>>::const_iterator SubkeyPlace(const std::string& name) const;

  std::string name_;
  std::string class_;
  std::vector<Value> values_;
  std::unordered_map<std::string, size_t> valueIndex_;  // folded name -> place in values_
  std::vector<std::unique_ptr<Key>> subkeys_;
};

}  // namespace registry
}  // namespace winport
