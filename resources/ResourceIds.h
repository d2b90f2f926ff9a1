#pragma once
// Resource identifiers shared by the .rc files and the code.

#define IDR_PNG_BANNER 100
