// A module without DllGetVersion.
extern "C" int VerBareAnswer() { return 42; }
