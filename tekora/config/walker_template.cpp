// The build runner's template: global run settings and the 28 build steps,
// in the order the runner takes them.
#include <tekora/configuration.h>

#include "../string_ids.h"

namespace {

const PAEntryTemplate kGuid = {IDS_PA_CFG_GUID, IDS_PA_CFG_WALKER_GUID, NULL, 0, 0};
const PAEntryTemplate kExitOnError = {IDS_PA_CFG_EXIT_ON_ERROR, IDS_PA_CFG_ZERO, NULL, 0, 0};
const PAEntryTemplate kPauseOnError = {IDS_PA_CFG_PAUSE_ON_ERROR, IDS_PA_CFG_ONE, NULL, 0, 0};
const PAEntryTemplate kLogFile = {IDS_PA_CFG_LOG_FILE, IDS_PA_CFG_DEFAULT_LOG_FILE, PAWalkerConfig::InitLogFile, 0, 0};
const PAEntryTemplate kEnabled = {IDS_PA_CFG_ENABLED, IDS_PA_CFG_ONE, NULL, 0, 0};
const PAEntryTemplate kDisabled = {IDS_PA_CFG_ENABLED, IDS_PA_CFG_ZERO, NULL, 0, 0};
const PAEntryTemplate kRedirect = {IDS_PA_CFG_REDIRECT, IDS_PA_CFG_ZERO, NULL, 0, 0};
const PAEntryTemplate kMail = {IDS_PA_CFG_MAIL, IDS_PA_CFG_ZERO, NULL, 0, 0};
const PAEntryTemplate kMailNotify = {IDS_PA_CFG_MAIL_NOTIFY, IDS_PA_CFG_UNKNOWN, NULL, 0, 0};

// Each step's program, resolved along the search path when the tree is set up.
const PAEntryTemplate kProgramDebugclean = {IDS_PA_CFG_PROGRAM, IDS_PA_PROG_DEBUGCLEAN, NULL, 0, 0};
const PAEntryTemplate kProgramReleaseclean = {IDS_PA_CFG_PROGRAM, IDS_PA_PROG_RELEASECLEAN, NULL, 0, 0};
const PAEntryTemplate kProgramCvsupd = {IDS_PA_CFG_PROGRAM, IDS_PA_PROG_CVSUPD, NULL, 0, 0};
const PAEntryTemplate kProgramHdrgate = {IDS_PA_CFG_PROGRAM, IDS_PA_PROG_HDRGATE, NULL, 0, 0};
const PAEntryTemplate kProgramSrcscan = {IDS_PA_CFG_PROGRAM, IDS_PA_PROG_SRCSCAN, NULL, 0, 0};
const PAEntryTemplate kProgramTallyx = {IDS_PA_CFG_PROGRAM, IDS_PA_PROG_TALLYX, NULL, 0, 0};
const PAEntryTemplate kProgramDepmap = {IDS_PA_CFG_PROGRAM, IDS_PA_PROG_DEPMAP, NULL, 0, 0};
const PAEntryTemplate kProgramRescheck = {IDS_PA_CFG_PROGRAM, IDS_PA_PROG_RESCHECK, NULL, 0, 0};
const PAEntryTemplate kProgramResmerge = {IDS_PA_CFG_PROGRAM, IDS_PA_PROG_RESMERGE, NULL, 0, 0};
const PAEntryTemplate kProgramVerstamp = {IDS_PA_CFG_PROGRAM, IDS_PA_PROG_VERSTAMP, NULL, 0, 0};
const PAEntryTemplate kProgramQuillet = {IDS_PA_CFG_PROGRAM, IDS_PA_PROG_QUILLET, NULL, 0, 0};
const PAEntryTemplate kProgramDovrik = {IDS_PA_CFG_PROGRAM, IDS_PA_PROG_DOVRIK, NULL, 0, 0};
const PAEntryTemplate kProgramLangsync = {IDS_PA_CFG_PROGRAM, IDS_PA_PROG_LANGSYNC, NULL, 0, 0};
const PAEntryTemplate kProgramDocbuild = {IDS_PA_CFG_PROGRAM, IDS_PA_PROG_DOCBUILD, NULL, 0, 0};
const PAEntryTemplate kProgramInclcheck = {IDS_PA_CFG_PROGRAM, IDS_PA_PROG_INCLCHECK, NULL, 0, 0};
const PAEntryTemplate kProgramGuidcheck = {IDS_PA_CFG_PROGRAM, IDS_PA_PROG_GUIDCHECK, NULL, 0, 0};
const PAEntryTemplate kProgramProjlist = {IDS_PA_CFG_PROGRAM, IDS_PA_PROG_PROJLIST, NULL, 0, 0};
const PAEntryTemplate kProgramStatsrun = {IDS_PA_CFG_PROGRAM, IDS_PA_PROG_STATSRUN, NULL, 0, 0};
const PAEntryTemplate kProgramPackprep = {IDS_PA_CFG_PROGRAM, IDS_PA_PROG_PACKPREP, NULL, 0, 0};
const PAEntryTemplate kProgramSetupgen = {IDS_PA_CFG_PROGRAM, IDS_PA_PROG_SETUPGEN, NULL, 0, 0};
const PAEntryTemplate kProgramDebugcompile = {IDS_PA_CFG_PROGRAM, IDS_PA_PROG_DEBUGCOMPILE, NULL, 0, 0};
const PAEntryTemplate kProgramReleasecompile = {IDS_PA_CFG_PROGRAM, IDS_PA_PROG_RELEASECOMPILE, NULL, 0, 0};
const PAEntryTemplate kProgramNightmail = {IDS_PA_CFG_PROGRAM, IDS_PA_PROG_NIGHTMAIL, NULL, 0, 0};
const PAEntryTemplate kProgramArchiver = {IDS_PA_CFG_PROGRAM, IDS_PA_PROG_ARCHIVER, NULL, 0, 0};
const PAEntryTemplate kProgramCvstag = {IDS_PA_CFG_PROGRAM, IDS_PA_PROG_CVSTAG, NULL, 0, 0};
const PAEntryTemplate kProgramCleanup = {IDS_PA_CFG_PROGRAM, IDS_PA_PROG_CLEANUP, NULL, 0, 0};

const PAEntryTemplate* const kDebugCleanEntries[] = {&kProgramDebugclean, &kDisabled, &kRedirect, NULL};
const PANodeTemplate kDebugClean = {IDS_PA_STEP_DEBUG_CLEAN, kDebugCleanEntries, NULL, NULL, NULL};
const PAEntryTemplate* const kReleaseCleanEntries[] = {&kProgramReleaseclean, &kDisabled, &kRedirect, NULL};
const PANodeTemplate kReleaseClean = {IDS_PA_STEP_RELEASE_CLEAN, kReleaseCleanEntries, NULL, NULL, NULL};
const PAEntryTemplate* const kCvsUpdateEntries[] = {&kProgramCvsupd, &kDisabled, NULL};
const PANodeTemplate kCvsUpdate = {IDS_PA_STEP_CVS_UPDATE, kCvsUpdateEntries, NULL, NULL, NULL};
const PAEntryTemplate* const kHdrgateEntries[] = {&kProgramHdrgate, &kEnabled, NULL};
const PANodeTemplate kHdrgate = {IDS_PA_STEP_HDRGATE, kHdrgateEntries, NULL, NULL, NULL};
const PAEntryTemplate* const kSrcscanEntries[] = {&kProgramSrcscan, &kEnabled, NULL};
const PANodeTemplate kSrcscan = {IDS_PA_STEP_SRCSCAN, kSrcscanEntries, NULL, NULL, NULL};
const PAEntryTemplate* const kTallyxEntries[] = {&kProgramTallyx, &kDisabled, NULL};
const PANodeTemplate kTallyx = {IDS_PA_STEP_TALLYX, kTallyxEntries, NULL, NULL, NULL};
const PAEntryTemplate* const kDepmapEntries[] = {&kProgramDepmap, &kDisabled, NULL};
const PANodeTemplate kDepmap = {IDS_PA_STEP_DEPMAP, kDepmapEntries, NULL, NULL, NULL};
const PAEntryTemplate* const kRescheckEntries[] = {&kProgramRescheck, &kDisabled, NULL};
const PANodeTemplate kRescheck = {IDS_PA_STEP_RESCHECK, kRescheckEntries, NULL, NULL, NULL};
const PAEntryTemplate* const kResmergeEntries[] = {&kProgramResmerge, &kDisabled, NULL};
const PANodeTemplate kResmerge = {IDS_PA_STEP_RESMERGE, kResmergeEntries, NULL, NULL, NULL};
const PAEntryTemplate* const kVerstampEntries[] = {&kProgramVerstamp, &kEnabled, NULL};
const PANodeTemplate kVerstamp = {IDS_PA_STEP_VERSTAMP, kVerstampEntries, NULL, NULL, NULL};
const PAEntryTemplate* const kQuilletEntries[] = {&kProgramQuillet, &kEnabled, NULL};
const PANodeTemplate kQuillet = {IDS_PA_STEP_QUILLET, kQuilletEntries, NULL, NULL, NULL};
const PAEntryTemplate* const kDovrikEntries[] = {&kProgramDovrik, &kEnabled, NULL};
const PANodeTemplate kDovrik = {IDS_PA_STEP_DOVRIK, kDovrikEntries, NULL, NULL, NULL};
const PAEntryTemplate* const kLangsyncEntries[] = {&kProgramLangsync, &kEnabled, NULL};
const PANodeTemplate kLangsync = {IDS_PA_STEP_LANGSYNC, kLangsyncEntries, NULL, NULL, NULL};
const PAEntryTemplate* const kDocbuildEntries[] = {&kProgramDocbuild, &kDisabled, NULL};
const PANodeTemplate kDocbuild = {IDS_PA_STEP_DOCBUILD, kDocbuildEntries, NULL, NULL, NULL};
const PAEntryTemplate* const kInclcheckEntries[] = {&kProgramInclcheck, &kEnabled, NULL};
const PANodeTemplate kInclcheck = {IDS_PA_STEP_INCLCHECK, kInclcheckEntries, NULL, NULL, NULL};
const PAEntryTemplate* const kGuidcheckEntries[] = {&kProgramGuidcheck, &kEnabled, NULL};
const PANodeTemplate kGuidcheck = {IDS_PA_STEP_GUIDCHECK, kGuidcheckEntries, NULL, NULL, NULL};
const PAEntryTemplate* const kProjlistEntries[] = {&kProgramProjlist, &kEnabled, NULL};
const PANodeTemplate kProjlist = {IDS_PA_STEP_PROJLIST, kProjlistEntries, NULL, NULL, NULL};
const PAEntryTemplate* const kStatsrunEntries[] = {&kProgramStatsrun, &kEnabled, NULL};
const PANodeTemplate kStatsrun = {IDS_PA_STEP_STATSRUN, kStatsrunEntries, NULL, NULL, NULL};
const PAEntryTemplate* const kAgainDebugEntries[] = {&kProgramDebugclean, &kDisabled, &kRedirect, NULL};
const PANodeTemplate kAgainDebug = {IDS_PA_STEP_AGAIN_DEBUG, kAgainDebugEntries, NULL, NULL, NULL};
const PAEntryTemplate* const kAgainReleaseEntries[] = {&kProgramReleaseclean, &kDisabled, &kRedirect, NULL};
const PANodeTemplate kAgainRelease = {IDS_PA_STEP_AGAIN_RELEASE, kAgainReleaseEntries, NULL, NULL, NULL};
const PAEntryTemplate* const kPackprepEntries[] = {&kProgramPackprep, &kDisabled, NULL};
const PANodeTemplate kPackprep = {IDS_PA_STEP_PACKPREP, kPackprepEntries, NULL, NULL, NULL};
const PAEntryTemplate* const kSetupgenEntries[] = {&kProgramSetupgen, &kDisabled, NULL};
const PANodeTemplate kSetupgen = {IDS_PA_STEP_SETUPGEN, kSetupgenEntries, NULL, NULL, NULL};
const PAEntryTemplate* const kDebugCompileEntries[] = {&kProgramDebugcompile, &kEnabled, &kMail, &kMailNotify, NULL};
const PANodeTemplate kDebugCompile = {IDS_PA_STEP_DEBUG_COMPILE, kDebugCompileEntries, NULL, NULL, NULL};
const PAEntryTemplate* const kReleaseCompileEntries[] = {&kProgramReleasecompile, &kDisabled, &kMail, &kMailNotify, NULL};
const PANodeTemplate kReleaseCompile = {IDS_PA_STEP_RELEASE_COMPILE, kReleaseCompileEntries, NULL, NULL, NULL};
const PAEntryTemplate* const kNightmailEntries[] = {&kProgramNightmail, &kDisabled, &kMail, &kMailNotify, &kRedirect, NULL};
const PANodeTemplate kNightmail = {IDS_PA_STEP_NIGHTMAIL, kNightmailEntries, NULL, NULL, NULL};
const PAEntryTemplate* const kArchiverEntries[] = {&kProgramArchiver, &kEnabled, NULL};
const PANodeTemplate kArchiver = {IDS_PA_STEP_ARCHIVER, kArchiverEntries, NULL, NULL, NULL};
const PAEntryTemplate* const kCvstagEntries[] = {&kProgramCvstag, &kEnabled, NULL};
const PANodeTemplate kCvstag = {IDS_PA_STEP_CVSTAG, kCvstagEntries, NULL, NULL, NULL};
const PAEntryTemplate* const kCleanupEntries[] = {&kProgramCleanup, &kDisabled, NULL};
const PANodeTemplate kCleanup = {IDS_PA_STEP_CLEANUP, kCleanupEntries, NULL, NULL, NULL};

const PANodeTemplate* const kSteps[] = {
    &kDebugClean, &kReleaseClean, &kCvsUpdate, &kHdrgate,
    &kSrcscan, &kTallyx, &kDepmap, &kRescheck,
    &kResmerge, &kVerstamp, &kQuillet, &kDovrik,
    &kLangsync, &kDocbuild, &kInclcheck, &kGuidcheck,
    &kProjlist, &kStatsrun, &kAgainDebug, &kAgainRelease,
    &kPackprep, &kSetupgen, &kDebugCompile, &kReleaseCompile,
    &kNightmail, &kArchiver, &kCvstag, &kCleanup,
    NULL};

const PAEntryTemplate* const kRunEntries[] = {&kExitOnError, &kPauseOnError, &kLogFile, NULL};
const PANodeTemplate kRun = {IDS_PA_CFG_RUN, kRunEntries, kSteps, PAWalkerConfig::InitPrograms, NULL};

const PAEntryTemplate* const kMainEntries[] = {&kGuid, NULL};
const PANodeTemplate* const kMainChildren[] = {&kRun, NULL};

}  // namespace

const PANodeTemplate PAWalkerConfig::Template = {IDS_PA_CFG_MAIN, kMainEntries, kMainChildren, NULL, NULL};
