#pragma once
// Resource identifiers shared by the .rc files and the code.

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

// The rating database's image (progress window, 32 x 32).
#define IDR_PNG_DATABASE 120

// Menu entry icons, 16 x 16.
#define IDR_PNG_MENU_SAVE_AS 300
#define IDR_PNG_MENU_SAVE 301
#define IDR_PNG_MENU_PREFERENCES 302
#define IDR_PNG_MENU_SHUTDOWN 303
#define IDR_PNG_MENU_REBOOT 304
#define IDR_PNG_MENU_STANDBY 305
#define IDR_PNG_MENU_HIBERNATE 306
#define IDR_PNG_MENU_LOGOFF 307
#define IDR_PNG_MENU_LOCK 308
#define IDR_PNG_MENU_HELP 309
#define IDR_PNG_MENU_INFORMATION 310
#define IDR_PNG_MENU_REFRESH 311
#define IDR_PNG_MENU_FIND 312
#define IDR_PNG_MENU_RUN 313
#define IDR_PNG_MENU_DATABASE 314
#define IDR_PNG_MENU_RATE 315
#define IDR_PNG_MENU_DELETE 316
#define IDR_PNG_MENU_ACCOUNT 317
#define IDR_PNG_MENU_PAUSE 318
#define IDR_PNG_MENU_START 319
#define IDR_PNG_MENU_DIAGRAM 320
#define IDR_PNG_MENU_STOP 321
#define IDR_PNG_MENU_WEB 322
#define IDR_PNG_MENU_OPTIMIZE 323
#define IDR_PNG_MENU_FOLDER 324
#define IDR_PNG_MENU_UP 325
#define IDR_PNG_MENU_JUMP 326
#define IDR_PNG_MENU_STOP_MEDIA 327
#define IDR_PNG_MENU_DRIVE 328
#define IDR_PNG_MENU_WARNING 329
#define IDR_PNG_MENU_MONITOR 330
#define IDR_PNG_MENU_NETWORK 331
#define IDR_PNG_MENU_COLOURS 332
#define IDR_PNG_MENU_WIZARD 333
#define IDR_PNG_MENU_EXIT 334

// The pictures at the left of the two agency windows, 32 x 32.
#define IDR_PNG_AGENCY_EXEC 360
#define IDR_PNG_AGENCY_AVOID 361
