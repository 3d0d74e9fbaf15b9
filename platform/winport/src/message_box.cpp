// MessageBoxA as a modal prompt on the controlling terminal.
#include <ctype.h>
#include <errno.h>
#include <unistd.h>
#include <windows.h>

#include <string>
#include <vector>

#include "terminal.h"

namespace {

struct Button {
  int id;
  const char* label;  // its first letter is the answer that picks it
};

std::vector<Button> ButtonsOf(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {{IDOK, "OK"}, {IDCANCEL, "Cancel"}};
    case MB_ABORTRETRYIGNORE: return {{IDABORT, "Abort"}, {IDRETRY, "Retry"}, {IDIGNORE, "Ignore"}};
    case MB_YESNOCANCEL: return {{IDYES, "Yes"}, {IDNO, "No"}, {IDCANCEL, "Cancel"}};
    case MB_YESNO: return {{IDYES, "Yes"}, {IDNO, "No"}};
    case MB_RETRYCANCEL: return {{IDRETRY, "Retry"}, {IDCANCEL, "Cancel"}};
    case MB_CANCELTRYCONTINUE: return {{IDCANCEL, "Cancel"}, {IDTRYAGAIN, "Try again"}, {IDCONTINUE, "Continue"}};
    default: return {{IDOK, "OK"}};
  }
}

size_t DefaultIndex(UINT type, size_t count) {
  size_t index = (type & MB_DEFMASK) >> 8;
  return index < count ? index : 0;
}

// The button an answer line names: by its first letter, or by its label.
int Pick(const std::vector<Button>& buttons, const std::string& answer, size_t defaultIndex) {
  size_t start = answer.find_first_not_of(" \t");
  if (start == std::string::npos) return buttons[defaultIndex].id;
  char first = static_cast<char>(tolower(static_cast<unsigned char>(answer[start])));
  for (const Button& button : buttons)
    if (tolower(static_cast<unsigned char>(button.label[0])) == first) return button.id;
  return 0;
}

// Reads one line from the terminal; false at end of input or on error.
bool ReadLine(int terminal, std::string* line) {
  line->clear();
  for (;;) {
    char c;
    ssize_t n = read(terminal, &c, 1);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return !line->empty();
    if (c == '\n' || c == '\r') return true;
    *line += c;
  }
}

const char* IconWord(UINT type) {
  switch (type & MB_ICONMASK) {
    case MB_ICONERROR: return "Error";
    case MB_ICONWARNING: return "Warning";
    case MB_ICONQUESTION: return "Question";
    case MB_ICONINFORMATION: return "Information";
    default: return nullptr;
  }
}

}  // namespace

extern "C" int WINAPI MessageBoxA(HWND, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
  std::vector<Button> buttons = ButtonsOf(uType);
  size_t defaultIndex = DefaultIndex(uType, buttons.size());
  int terminal = winport::OpenTerminal();
  if (terminal < 0) return buttons[defaultIndex].id;  // nobody to ask: the default answer

  std::string box = "\n";
  box += lpCaption ? lpCaption : "Error";
  if (const char* icon = IconWord(uType)) box += std::string(" [") + icon + "]";
  box += "\n\n";
  box += lpText ? lpText : "";
  box += "\n\n";
  std::string prompt;
  if (buttons.size() == 1) {
    prompt = "Press Enter to continue";
  } else {
    for (size_t i = 0; i < buttons.size(); ++i) {
      if (i) prompt += " / ";
      prompt += std::string("[") + buttons[i].label[0] + "]" + (buttons[i].label + 1);
    }
    prompt += std::string(" (Enter = ") + buttons[defaultIndex].label + ")";
  }
  prompt += ": ";
  box += prompt;

  int result = buttons[defaultIndex].id;
  if (winport::WriteFully(terminal, box.data(), box.size())) {
    std::string line;
    for (;;) {
      if (!ReadLine(terminal, &line)) {
        // The terminal went away: Cancel where the box has it, else the default.
        for (const Button& button : buttons)
          if (button.id == IDCANCEL) result = IDCANCEL;
        break;
      }
      if (buttons.size() == 1) break;  // any line closes a box with one button
      int picked = Pick(buttons, line, defaultIndex);
      if (picked) {
        result = picked;
        break;
      }
      if (!winport::WriteFully(terminal, prompt.data(), prompt.size())) break;
    }
  }
  close(terminal);
  return result;
}
