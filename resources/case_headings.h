// The headings of the four case screens (UTF-8 here), for their templates and for
// kamorte-calc, which names the case of its result as the screens do.
#pragma once

#define CASE_A_HEADING "Ａ．排出口高さが 6.7m 未満の場合"
#define CASE_B_HEADING "Ｂ．排出口高さが 6.7m 以上 15m 未満の場合"
#define CASE_C_HEADING "Ｃ．排出口高さが15ｍ以上かつ周辺最大建物高さの1.5倍未満の場合"
#define CASE_D_HEADING "Ｄ．排出口高さが15ｍ以上かつ周辺最大建物高さの1.5倍以上の場合"
