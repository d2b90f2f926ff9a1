#include "main/MainWindows_win.h"

MainWindows g_windows;
