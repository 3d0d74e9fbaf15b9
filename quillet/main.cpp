// quillet: merges the SQL scripts named in a list file into one new script.
#include "merge_driver.h"

int main(int argc, char** argv) { return RunQuillet(argc, argv); }
