// Share flags of _fsopen.
#pragma once

#define _SH_DENYRW 0x10  // deny read and write
#define _SH_DENYWR 0x20  // deny write
#define _SH_DENYRD 0x30  // deny read
#define _SH_DENYNO 0x40  // deny nothing
#define _SH_SECURE 0x80  // deny write to others, allow read
