// Identifiers of the commands' resources (macros, so the resource compiler
// reads them too).
#pragma once

#define IDD_PROGRESS 1003
#define IDC_PROGRESS_BAR 1004
#define IDC_PROGRESS_TEXT 1005
