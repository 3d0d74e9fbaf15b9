// PAFormatGuid: a GUID as text, with braces and dashes or with underscores.
#include <tekora/time_guid.h>

#include "../string_ids.h"

int PAFormatGuid(int withBraces, const GUID* guid, CString& text) {
  if (!guid) {
    text.Empty();
    return 0;
  }
  try {
    const CString format(MAKEINTRESOURCEA(withBraces ? IDS_PA_GUID_WITH_BRACES : IDS_PA_GUID_WITH_UNDERSCORES));
    const BYTE* d = guid->Data4;
    text.Format(format, static_cast<unsigned int>(guid->Data1), static_cast<unsigned int>(guid->Data2),
                static_cast<unsigned int>(guid->Data3), d[0], d[1], d[2], d[3], d[4], d[5], d[6], d[7]);
    return 1;
  } catch (CException* e) {
    e->Delete();
    text.Empty();
    return 0;
  }
}
