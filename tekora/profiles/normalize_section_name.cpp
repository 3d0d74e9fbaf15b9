// PANormalizeSectionName: a section name in the line profile's header form.
#include <tekora/line_profile.h>

void PANormalizeSectionName(CString& name) {
  try {
    name.Trim();
    name.MakeUpper();
    if (name.IsEmpty() || name[0] != '[') name.Insert(0, '[');
    if (name[name.GetLength() - 1] != ']') name += ']';
  } catch (CException* e) {
    e->Delete();
  }
}
