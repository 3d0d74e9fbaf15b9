// The computer name of the suite's build server, shared by the library and
// the programs that behave differently there.
#pragma once

#define PA_BUILD_SERVER_NAME "BUILDSRV"
