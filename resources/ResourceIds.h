#pragma once
// Resource identifiers shared by the .rc files and the code.

#define VANTREL_VERSION_TEXT "0.1.0.0"

#define IDI_VANTREL 1

#define IDR_PNG_BANNER 100

// The views' icons in their banners.
#define IDR_PNG_VIEW_PROCESSES 110
#define IDR_PNG_VIEW_WINDOWS 111
#define IDR_PNG_VIEW_SERVICES 112
#define IDR_PNG_VIEW_DRIVERS 113
#define IDR_PNG_VIEW_NETWORKS 114
#define IDR_PNG_VIEW_MONITOR 115
#define IDR_PNG_VIEW_SMART 116
#define IDR_PNG_VIEW_AUTORUNS 117

// The image buttons' icons: this base plus the button's command.
#define IDR_PNG_BUTTON_BASE 200
