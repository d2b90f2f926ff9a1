#pragma once
// Menu items, image buttons, keyboard shortcuts and controls of the main program share one
// identifier space and one dispatch; these are its identifiers (the controls of each window named
// here too, so that no two of one window meet), its context menus, and the window messages the
// programs exchange.

#include <cstdint>

enum Command : int {
    CommandExportAll = 1,
    CommandExportProcesses = 2,
    CommandExportWindows = 3,
    CommandExportServices = 4,
    CommandExportDrivers = 5,
    CommandExportNetworks = 6,
    CommandExportSmart = 7,
    CommandExportAutoruns = 8,
    CommandClose = 9,
    CommandViewFirst = 10,  // 10 + view index, up to 17
    CommandViewLast = 17,
    CommandTaskManager = 18,
    CommandPreferences = 19,
    CommandDiagram = 20,
    CommandSearch = 21,
    CommandRun = 22,
    CommandEnd = 23,
    CommandWebSearch = 24,
    CommandProcessInformation = 25,
    CommandShutdown = 26,
    CommandReboot = 27,
    CommandStandby = 28,
    CommandHibernate = 29,
    CommandLogoff = 30,
    CommandLock = 31,
    CommandRefresh = 32,
    CommandDatabaseQuery = 33,
    CommandDatabaseUpdate = 34,
    CommandDatabaseDelete = 35,
    CommandDatabaseChangeProfile = 36,
    CommandPriorityRealtime = 37,
    CommandPriorityHigh = 38,
    CommandPriorityAboveNormal = 39,
    CommandPriorityNormal = 40,
    CommandPriorityBelowNormal = 41,
    CommandPriorityIdle = 42,
    CommandProcessorFirst = 43,  // 43 for processor 1, and so on
    // The highest processor command: one per processor that a 32-bit affinity mask can address.
    CommandProcessorLast = CommandProcessorFirst + 31,
    CommandPauseProcess = 555,
    CommandResumeProcess = 556,
    CommandOptimizeProcess = 557,
    CommandDeleteProcess = 558,
    CommandExploreProcessFolder = 559,
    CommandJumpToParent = 560,
    CommandTransparencyNone = 561,  // 562..570: 10 % .. 90 %
    CommandTransparencyLast = 570,
    CommandWindowForeground = 571,
    CommandWindowHidden = 572,
    CommandWindowDeactivated = 573,
    CommandWindowMinimize = 574,
    CommandWindowMaximize = 575,
    CommandWindowRestore = 576,
    CommandWindowRepairPosition = 577,
    CommandWindowProcessInformation = 578,
    CommandWindowJumpProcess = 579,
    CommandWindowJumpWindow = 580,
    CommandServiceStart = 581,
    CommandServiceStop = 582,
    CommandServicePause = 583,
    CommandServiceContinue = 584,
    CommandServiceDisabled = 585,
    CommandServiceAutomatic = 586,
    CommandServiceManual = 587,
    CommandExploreDriverFolder = 588,
    CommandExploreAutorunSource = 589,
    CommandExploreAutorunTarget = 590,
    CommandOpenHelp = 591,
    CommandAbout = 592,

    // The views' controls.
    ControlProcessList = 596,
    ControlProcessTree = 600,  // the check boxes along the bottom of the views
    ControlHiddenWindows = 601,
    ControlNoSizeWindows = 602,
    ControlOutsideWindows = 603,
    ControlSystemAutoruns = 604,
    ControlWindowList = 607,
    ControlServiceList = 640,
    ControlDriverList = 641,
    ControlNetworkList = 645,
    ControlNetworkDetailTitle = 646,
    ControlNetworkDetailLabels = 647,
    ControlNetworkDetailValues = 648,
    ControlNetworkUsage = 649,
    ControlNetworkGraph = 644,
    ControlMonitorCpuGraph = 660,
    ControlMonitorCpuPause = 661,
    ControlMonitorMemoryGraph = 662,
    ControlMonitorMemoryPause = 663,
    ControlMonitorBars = 664,
    ControlMonitorFigures = 665,
    ControlMonitorCpuTitle = 666,
    ControlMonitorMemoryTitle = 667,
    ControlAutorunList = 650,
    ControlAutorunIcon = 651,  // the autorun details panel
    ControlAutorunTitle = 652,
    ControlAutorunCompany = 653,
    ControlAutorunType = 654,
    ControlAutorunTarget = 655,
    ControlAutorunRating = 656,
    ControlAutorunBadge = 657,
    ControlHarddiskList = 692,
    ControlSmartAttributeList = 693,

    // The run window's. OK and Cancel carry the dialog identifiers (IDOK, IDCANCEL), so that Enter
    // and Escape work.
    ControlRunOk = 1,
    ControlRunCancel = 2,
    ControlRunBrowse = 620,
    ControlRunCommand = 621,
    ControlRunParameter = 622,

    // The new-autorun window's; OK and Cancel as in the run window.
    ControlNewAutorunOk = 1,
    ControlNewAutorunCancel = 2,
    ControlNewAutorunProgram = 630,
    ControlNewAutorunParameter = 631,
    ControlNewAutorunDirectory = 632,
    ControlNewAutorunRegistry = 633,
    ControlNewAutorunCurrentUser = 634,
    ControlNewAutorunAllUsers = 635,
    ControlNewAutorunRunOnce = 636,
    ControlNewAutorunBrowse = 637,

    // The about window's.
    ControlAboutClose = 700,
    ControlAboutLicense = 701,
    ControlAboutInformation = 702,
    ControlAboutLicenseText = 703,
    ControlAboutPanelFirst = 710,  // the labels of the information panel, up to 717

    // The search window's. Search carries IDOK, so that Enter in the field searches, and Escape's
    // IDCANCEL closes the window.
    ControlSearchButton = 1,
    ControlSearchClose = 2,
    ControlSearchText = 730,
    ControlSearchResults = 731,
    ControlSearchInFrame = 732,
    ControlSearchContentLabel = 733,
    ControlSearchBoxFirst = 740,  // one check box per list, up to 746

    // The preferences window's. Enter and Escape arrive as IDOK and IDCANCEL and mean OK and Cancel.
    ControlPreferencesPageSwitch = 773,
    ControlPreferencesPage1 = 774,
    ControlPreferencesAutorun = 776,
    ControlPreferencesRemain = 777,
    ControlPreferencesReactivateExplorer = 778,
    ControlPreferencesOptimize = 779,
    ControlPreferencesSticky = 780,
    ControlPreferencesWindowTitle = 781,
    ControlPreferencesCPUPerProcess = 782,
    ControlPreferencesUseComma = 783,
    ControlPreferencesPPIDView = 784,
    ControlPreferencesUseDatabase = 786,
    ControlPreferencesLanguageFrame = 787,
    ControlPreferencesLanguage = 788,
    ControlPreferencesListsFrame = 789,
    ControlPreferencesListsLabel = 790,
    ControlPreferencesListsInterval = 791,
    ControlPreferencesMonitorFrame = 792,
    ControlPreferencesMonitorLabel = 793,
    ControlPreferencesMonitorInterval = 794,
    ControlPreferencesExitCodeFrame = 795,
    ControlPreferencesExitCodeLabel = 796,
    ControlPreferencesExitCode = 797,
    ControlPreferencesExitCodeDefault = 798,
    ControlPreferencesSearchFrame = 799,
    ControlPreferencesSearchLabel = 800,
    ControlPreferencesSearchString = 801,
    ControlPreferencesSearchDefault = 802,
    ControlPreferencesInformation = 803,
    ControlPreferencesPage2 = 804,
    ControlPreferencesColumnsFrame = 806,
    ControlPreferencesColumnFirst = 807,  // one check box per process-list column 1 .. 21, up to 827
    ControlPreferencesOk = 828,
    ControlPreferencesCancel = 829,
    ControlPreferencesSearchEngineFirst = 830,  // the entries of the search-engine menu
    ControlPreferencesExitCodeSpin = 840,       // the arrows beside the exit code

    // The diagram window's.
    ControlDiagramSeries = 850,
    ControlDiagramImage = 851,
    ControlDiagramPanelFirst = 852,  // the details panel: icon, name, second name, value, memory

    // The process information window's: one label and one value per field, the bars, the modules.
    ControlInformationTitle = 870,
    ControlInformationIcon = 871,
    ControlInformationParentIcon = 872,
    ControlInformationModules = 873,
    ControlInformationModulesLabel = 874,
    ControlInformationLabelFirst = 880,  // up to 899
    ControlInformationValueFirst = 900,  // up to 919
    ControlInformationBarFirst = 920,    // CPU, physical memory, page file, CPU history

    // The rating database's progress window's.
    ControlRatingProgressCancel = 1,

    // The rating dialog's and the account dialog's. OK and Cancel carry IDOK and IDCANCEL, so that
    // Enter and Escape work.
    ControlDatabaseOk = 1,
    ControlDatabaseCancel = 2,
    ControlRatingFile = 960,
    ControlRatingFrame = 961,
    ControlRatingOptionFirst = 962,  // unknown, part of the system, trustworthy: up to 964
    ControlRatingDescriptionFrame = 965,
    ControlRatingDescription = 966,
    ControlAccountPrompt = 970,
    ControlAccountNameLabel = 971,
    ControlAccountName = 972,
    ControlAccountPasswordLabel = 973,
    ControlAccountPassword = 974,
};

// The context menus, numbered by the lists they belong to.
enum ContextMenu : int {
    ContextMenuProcesses = 2,
    ContextMenuWindows = 3,
    ContextMenuServices = 4,
    ContextMenuDrivers = 5,
    ContextMenuSmart = 6,
    ContextMenuAutoruns = 7,
};

// Window messages between the two programs and to the main window itself (wParam = lParam = 0).
constexpr uint32_t kWmApp = 0x8000;
constexpr uint32_t kMessageQuit = kWmApp + 20;            // main -> tray: quit; tray -> main: exit
constexpr uint32_t kMessageActivate = kWmApp + 21;        // second instance -> main: come to the front
constexpr uint32_t kMessageRebuildTree = kWmApp + 22;     // main -> itself: tree after a column sort
constexpr uint32_t kMessageReloadSettings = kWmApp + 23;  // main -> tray: settings saved

// Both programs' windows are found by this class and their titles.
constexpr char kWindowClassName[] = "WindowClass_0";
constexpr char kMainWindowTitle[] = "Vantrel";
constexpr char kTrayWindowTitle[] = "Vantrel Systray Window";
