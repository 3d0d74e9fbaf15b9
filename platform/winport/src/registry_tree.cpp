// The key tree of one registry root: sub-keys kept sorted so that a name is
// found by binary search without regard to case, values found by their
// folded name. Its text form is reg_format.cpp's job.
#include "registry_tree.h"

#include <algorithm>

#include "ascii_text.h"

namespace winport {
namespace registry {
namespace {

// The whole name counts, a zero byte in it too: ordering and equality
// must agree, or a name is looked for where it is not.
bool NameLess(const std::string& a, const std::string& b) {
  int byCase = CompareIgnoreCase(a, b);
  return byCase != 0 ? byCase < 0 : a < b;
}

}  // namespace

// Sub-keys are sorted without regard to case first, so the names that match
// one without regard to case stand together and a binary search finds them.
std::vector<std::unique_ptr<Key>>::const_iterator Key::SubkeyPlace(const std::string& name) const {
  return std::lower_bound(subkeys_.begin(), subkeys_.end(), name,
                          [](const std::unique_ptr<Key>& k, const std::string& n) {
                            return CompareIgnoreCase(k->name_, n) < 0;
                          });
}

Key* Key::FindSubkey(const std::string& name) const {
  auto it = SubkeyPlace(name);
  return it != subkeys_.end() && EqualsIgnoreCase((*it)->name_, name) ? it->get() : nullptr;
}

Key* Key::AddSubkey(const std::string& name, bool* created) {
  if (Key* existing = FindSubkey(name)) {
    if (created) *created = false;
    return existing;
  }
  auto place = std::lower_bound(subkeys_.begin(), subkeys_.end(), name,
                                [](const std::unique_ptr<Key>& k, const std::string& n) { return NameLess(k->name_, n); });
  Key* key = subkeys_.insert(place, std::make_unique<Key>(name))->get();
  if (created) *created = true;
  return key;
}

bool Key::RemoveSubkey(const std::string& name) {
  auto it = SubkeyPlace(name);
  if (it == subkeys_.end() || !EqualsIgnoreCase((*it)->name_, name)) return false;
  subkeys_.erase(it);
  return true;
}

std::string Key::Folded(const std::string& name) {
  std::string folded = name;
  for (char& c : folded) c = FoldAscii(c);
  return folded;
}

const Value* Key::FindValue(const std::string& name) const {
  auto it = valueIndex_.find(Folded(name));
  return it == valueIndex_.end() ? nullptr : &values_[it->second];
}

void Key::SetValue(const std::string& name, DWORD type, std::string data) {
  std::string folded = Folded(name);
  auto it = valueIndex_.find(folded);
  if (it != valueIndex_.end()) {
    values_[it->second].type = type;
    values_[it->second].data = std::move(data);
    return;
  }
  valueIndex_.emplace(std::move(folded), values_.size());
  values_.push_back(Value{name, type, std::move(data)});
}

bool Key::RemoveValue(const std::string& name) {
  auto it = valueIndex_.find(Folded(name));
  if (it == valueIndex_.end()) return false;
  values_.erase(values_.begin() + static_cast<std::ptrdiff_t>(it->second));
  valueIndex_.clear();
  for (size_t i = 0; i < values_.size(); ++i) valueIndex_.emplace(Folded(values_[i].name), i);
  return true;
}

Key* Key::Find(const std::vector<std::string>& path) {
  Key* key = this;
  for (const std::string& name : path) {
    key = key->FindSubkey(name);
    if (!key) return nullptr;
  }
  return key;
}

}  // namespace registry
}  // namespace winport
