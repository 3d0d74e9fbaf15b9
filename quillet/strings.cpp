// quillet's string table.
#include <afxwin.h>

#include "program_identity.h"

namespace {

const AfxStringResource kStrings[] = {
    {IDS_QUILLET_USAGE, "Usage: %s source_directory new_script (Listfile)"},
};

AfxStringResourceRegistrar g_strings(kStrings, sizeof kStrings / sizeof kStrings[0], TRUE);

}  // namespace
