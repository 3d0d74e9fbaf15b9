// The .reg text format: reading a file a person may have edited into a key
// tree, and writing a tree back in the form the Windows registry editor
// writes. Nothing here touches files or the store.
#include "reg_format.h"

#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <utility>

#include "ascii_text.h"

namespace winport {
namespace registry {
namespace {

const char kHeader[] = "Windows Registry Editor Version 5.00";
const char kOldHeader[] = "REGEDIT4";
const char kHexMark[] = "=hex";
const char kClassComment[] = ";Class=";
// Hex data is wrapped as the registry editor wraps it: lines of at most
// this many characters, continued with "\" and two spaces.
const size_t kHexLineWidth = 77;

// ---- Reading -------------------------------------------------------------

// The file as 8-bit text: a UTF-16LE file (as the Windows editor writes it)
// is narrowed, a UTF-8 byte-order mark dropped.
std::string Narrow(const std::string& text) {
  if (text.size() >= 2 && static_cast<unsigned char>(text[0]) == 0xFF &&
      static_cast<unsigned char>(text[1]) == 0xFE) {
    return NarrowUtf16(text, 2);
  }
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) return text.substr(3);
  return text;
}

// Logical lines: CR LF or LF ends a line, and a line of hex data ending in
// "\" goes on in the next one. Whether a logical line holds hex data is
// decided by its first line, so long values are read in linear time.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::string current;
  bool continuing = false;
  bool hexData = false;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    size_t stop = end > start && text[end - 1] == '\r' ? end - 1 : end;
    if (continuing) {
      while (start < stop && (text[start] == ' ' || text[start] == '\t')) ++start;
    } else {
      hexData = std::search(text.begin() + static_cast<std::ptrdiff_t>(start),
                            text.begin() + static_cast<std::ptrdiff_t>(stop), kHexMark,
                            kHexMark + sizeof kHexMark - 1) != text.begin() + static_cast<std::ptrdiff_t>(stop);
    }
    current.append(text, start, stop - start);
    continuing = hexData && !current.empty() && current.back() == '\\';
    if (continuing) {
      current.pop_back();
    } else {
      lines.push_back(std::move(current));
      current.clear();
    }
    start = end + 1;
  }
  if (!current.empty()) lines.push_back(current);
  return lines;
}

// A quoted string with \\ and \" escapes starting at text[*pos] == '"';
// *pos moves past the closing quote.
bool ParseQuoted(const std::string& text, size_t* pos, std::string* out) {
  if (*pos >= text.size() || text[*pos] != '"') return false;
  out->clear();
  for (size_t i = *pos + 1; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\\') {
      if (i + 1 >= text.size()) return false;
      out->push_back(text[++i]);
    } else if (c == '"') {
      *pos = i + 1;
      return true;
    } else {
      out->push_back(c);
    }
  }
  return false;
}

// One to eight hex digits, as "dword:" and "hex(type):" carry them.
bool ParseHexNumber(const std::string& digits, DWORD* value) {
  if (digits.empty() || digits.size() > 8) return false;
  *value = 0;
  for (char c : digits) {
    int d = HexDigit(c);
    if (d < 0) return false;
    *value = *value * 16 + static_cast<DWORD>(d);
  }
  return true;
}

bool ParseHexBytes(const std::string& text, std::string* out) {
  out->clear();
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    if (i == text.size()) break;
    int high = HexDigit(text[i]);
    int low = i + 1 < text.size() ? HexDigit(text[i + 1]) : -1;
    if (high < 0 || low < 0) return false;
    out->push_back(static_cast<char>(high * 16 + low));
    i += 2;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    if (i < text.size()) {
      if (text[i] != ',') return false;
      ++i;
    }
  }
  return true;
}

// The text types are kept as UTF-16LE in the file; each unit is one byte here.
bool IsWideText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

bool ParseData(const std::string& text, DWORD* type, std::string* data) {
  if (!text.empty() && text[0] == '"') {
    size_t pos = 0;
    std::string value;
    if (!ParseQuoted(text, &pos, &value) || text.find_first_not_of(" \t", pos) != std::string::npos)
      return false;
    *type = REG_SZ;
    *data = value + '\0';
    return true;
  }
  if (text.compare(0, 6, "dword:") == 0) {
    DWORD value = 0;
    if (!ParseHexNumber(text.substr(6), &value)) return false;
    *type = REG_DWORD;
    data->assign(reinterpret_cast<const char*>(&value), 4);
    return true;
  }
  size_t colon = text.find(':');
  if (colon == std::string::npos) return false;
  std::string kind = text.substr(0, colon);
  if (kind == "hex") {
    *type = REG_BINARY;
  } else if (kind.size() > 5 && kind.compare(0, 4, "hex(") == 0 && kind.back() == ')') {
    if (!ParseHexNumber(kind.substr(4, kind.size() - 5), type)) return false;
  } else {
    return false;
  }
  std::string bytes;
  if (!ParseHexBytes(text.substr(colon + 1), &bytes)) return false;
  if (IsWideText(*type)) {
    if (bytes.size() % 2 != 0) return false;
    *data = NarrowUtf16(bytes);
  } else {
    *data = std::move(bytes);
  }
  return true;
}

// ---- Writing -------------------------------------------------------------

std::string Quote(const std::string& text) {
  std::string result = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') result += '\\';
    result += c;
  }
  return result + "\"";
}

std::string HexList(const std::string& bytes) {
  std::string result;
  char digits[4];
  for (size_t i = 0; i < bytes.size(); ++i) {
    snprintf(digits, sizeof digits, "%02x", static_cast<unsigned char>(bytes[i]));
    if (i) result += ',';
    result += digits;
  }
  return result;
}

std::string Widen(const std::string& text) {
  std::string result;
  for (char c : text) {
    result += c;
    result += '\0';
  }
  return result;
}

// A REG_SZ that the quoted form can carry: one terminator, no other zero
// byte, and no line break.
bool QuotableString(const std::string& data) {
  if (data.empty() || data.back() != '\0') return false;
  return data.find_first_of(std::string("\0\r\n", 3)) == data.size() - 1;
}

std::string FormatData(const Value& value) {
  if (value.type == REG_SZ && QuotableString(value.data))
    return Quote(value.data.substr(0, value.data.size() - 1));
  if (value.type == REG_DWORD && value.data.size() == 4) {
    unsigned number;
    memcpy(&number, value.data.data(), 4);
    char text[20];
    snprintf(text, sizeof text, "dword:%08x", number);
    return text;
  }
  if (value.type == REG_BINARY) return "hex:" + HexList(value.data);
  char kind[24];
  snprintf(kind, sizeof kind, "hex(%x):", value.type);
  return kind + HexList(IsWideText(value.type) ? Widen(value.data) : value.data);
}

// One value line; hex data is wrapped so that the file stays readable.
void FormatValue(const Value& value, std::string* out) {
  std::string line = (value.name.empty() ? std::string("@") : Quote(value.name)) + "=";
  std::string data = FormatData(value);
  size_t colon = data.find(':');
  if (data.compare(0, 3, "hex") != 0 || colon == std::string::npos) {
    *out += line + data + "\r\n";
    return;
  }
  line += data.substr(0, colon + 1);
  size_t width = line.size();
  *out += line;
  // Each byte is "xx," (the last without its comma).
  for (size_t i = colon + 1; i < data.size(); i += 3) {
    size_t piece = std::min<size_t>(3, data.size() - i);
    if (width + piece > kHexLineWidth && i + piece < data.size()) {
      *out += "\\\r\n  ";
      width = 2;
    }
    out->append(data, i, piece);
    width += piece;
  }
  *out += "\r\n";
}

void FormatKey(const Key& key, const std::string& path, bool writeSelf, std::string* out) {
  if (writeSelf) {
    *out += "[" + path + "]\r\n";
    if (!key.className().empty()) *out += std::string(kClassComment) + Quote(key.className()) + "\r\n";
    for (const Value& value : key.values()) FormatValue(value, out);
    *out += "\r\n";
  }
  for (const auto& subkey : key.subkeys()) FormatKey(*subkey, path + "\\" + subkey->name(), true, out);
}

}  // namespace

bool ParseRegText(const std::string& text, const std::string& rootName, Key* root) {
  std::vector<std::string> lines = Lines(Narrow(text));
  size_t i = 0;
  while (i < lines.size() && lines[i].find_first_not_of(" \t") == std::string::npos) ++i;
  if (i == lines.size() || (lines[i] != kHeader && lines[i] != kOldHeader)) return false;
  Key* current = nullptr;
  for (++i; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos) continue;
    if (line[first] == ';') {
      if (current && line.compare(first, sizeof kClassComment - 1, kClassComment) == 0) {
        size_t pos = first + sizeof kClassComment - 1;
        std::string className;
        // Anything else after ";Class=" is an ordinary comment.
        if (ParseQuoted(line, &pos, &className)) current->setClassName(className);
      }
      continue;
    }
    if (line[first] == '[') {
      size_t close = line.rfind(']');
      if (close == std::string::npos || close < first + 1) return false;
      std::string path = line.substr(first + 1, close - first - 1);
      std::vector<std::string> parts = SplitNonEmpty(path, '\\');
      if (parts.empty() || !EqualsIgnoreCase(parts[0], rootName)) return false;  // also "[-...]"
      current = root;
      for (size_t p = 1; p < parts.size(); ++p) current = current->AddSubkey(parts[p], nullptr);
      continue;
    }
    if (!current) return false;
    std::string name;
    size_t pos = first;
    if (line[pos] == '@') {
      ++pos;
    } else if (!ParseQuoted(line, &pos, &name)) {
      return false;
    }
    if (pos >= line.size() || line[pos] != '=') return false;
    DWORD type = REG_NONE;
    std::string data;
    if (!ParseData(line.substr(pos + 1), &type, &data)) return false;
    current->SetValue(name, type, std::move(data));
  }
  return true;
}

std::string FormatRegText(const Key& root, const std::string& rootName) {
  std::string text = std::string(kHeader) + "\r\n\r\n";
  FormatKey(root, rootName, !root.values().empty(), &text);
  return text;
}

}  // namespace registry
}  // namespace winport
