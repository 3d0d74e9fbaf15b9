// IsValidCodePage: the code pages Windows installs for 8-bit text.
#include <windows.h>

namespace {

struct Range {
  UINT first, last;
};

// Single code pages are ranges of one; sorted, so that the list reads like
// a table of Windows' code pages.
const Range kCodePages[] = {
    {37, 37},       {437, 437},     {500, 500},     {708, 708},     {720, 720},     {737, 737},
    {775, 775},     {850, 850},     {852, 852},     {855, 855},     {857, 858},     {860, 866},
    {869, 869},     {874, 875},     {932, 932},     {936, 936},     {949, 950},     {1026, 1026},
    {1250, 1258},   {1361, 1361},   {10000, 10008}, {10010, 10010}, {10017, 10017}, {10021, 10021},
    {10029, 10029}, {10079, 10082}, {20127, 20127}, {20866, 20866}, {21866, 21866}, {28591, 28599},
    {28603, 28603}, {28605, 28605}, {65000, 65001},
};

}  // namespace

extern "C" BOOL WINAPI IsValidCodePage(UINT CodePage) {
  for (const Range& range : kCodePages)
    if (CodePage >= range.first && CodePage <= range.last) return TRUE;
  return FALSE;
}
