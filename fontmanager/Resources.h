// Resource identifiers of Zel95APP.
#pragma once

#define IDI_ZEL95 1
#define IDB_TTF 101
#define IDB_TTFSEL 102
#define IDB_REFRESH 103
#define IDB_FULLSAMPLE 104
#define IDB_ADD 105
#define IDB_REMOVE 106
#define IDB_ABOUT 107
// Pictures of the removal question.
#define IDB_RECYCLEBIN 120
#define IDB_FONTREMOVE 121
