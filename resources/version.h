// The program's name and version as the about box shows it (UTF-8 here), for its template
// and for the printed page, which names the program that computed it.
#pragma once

#define KAMORTE_VERSION_TEXT "カモルテ   Version 1.1  R5"
