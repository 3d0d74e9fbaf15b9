// quillet's identity: the banner's texts and the tekora version it was built for.
#pragma once

#define QUILLET_NAME "QUILLET"
#define QUILLET_DESCRIPTION "SQL merger"
#define QUILLET_VERSION "2.2.194.0"
#define QUILLET_COPYRIGHT "Copyright (c) 1998-2026 the tool suite's authors"

#define QUILLET_LIBRARY "TEKORA.DLL"
#define QUILLET_LIBRARY_MAJOR 1
#define QUILLET_LIBRARY_MINOR 12
#define QUILLET_LIBRARY_BUILD 279
#define QUILLET_LIBRARY_QFE 0

// Number of the usage text in the program's string table.
#define IDS_QUILLET_USAGE 3000
