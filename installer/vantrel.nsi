; The Vantrel installer. scripts/release compiles it with makensis and defines:
;   VERSION  the release number (x.y.z)
;   DIST32   folder of the 32-bit programs and their Language folder
;   DIST64   folder of the 64-bit programs
;   HELP     folder of the compiled help files
;   OUTFILE  the installer to write
; On 64-bit Windows it installs the 64-bit programs, elsewhere the 32-bit ones. "/S" installs and
; uninstalls without a question; "/AUTOSTART" ticks the tray companion's autostart (for silent
; installs); "/D=folder" (last on the command line) chooses the folder.

Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include MUI2.nsh
!include x64.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define PRODUCT "Vantrel"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantrel"
!define WINDOW_CLASS "WindowClass_0"
!define QUIT_MESSAGE 0x8014  ; WM_APP + 20: the programs' own request to exit

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\${PRODUCT}"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "CompanyName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) 2026 the Vantrel developers"

!define MUI_ICON "${NSISDIR}\Contrib\Graphics\Icons\modern-install.ico"
!define MUI_UNICON "${NSISDIR}\Contrib\Graphics\Icons\modern-uninstall.ico"
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\vantrel.exe"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"

LangString ProgramSection ${LANG_ENGLISH} "Vantrel and its tray companion"
LangString ProgramSection ${LANG_GERMAN} "Vantrel und sein Infobereich-Programm"
LangString AutostartSection ${LANG_ENGLISH} "Start the tray companion with Windows"
LangString AutostartSection ${LANG_GERMAN} "Infobereich-Programm mit Windows starten"
LangString HelpLink ${LANG_ENGLISH} "Vantrel Help"
LangString HelpLink ${LANG_GERMAN} "Vantrel-Hilfe"
LangString UninstallLink ${LANG_ENGLISH} "Uninstall Vantrel"
LangString UninstallLink ${LANG_GERMAN} "Vantrel deinstallieren"
LangString RemoveDataSection ${LANG_ENGLISH} "Also remove my settings, agencies and logs"
LangString RemoveDataSection ${LANG_GERMAN} "Auch meine Einstellungen, Agenturen und Protokolle entfernen"

; Asks both programs to exit the way they ask each other, so that no file is in use and the
; settings are saved.
!macro CloseRunningPrograms
  FindWindow $0 "${WINDOW_CLASS}" "Vantrel Systray Window"
  ${If} $0 <> 0
    SendMessage $0 ${QUIT_MESSAGE} 0 0 /TIMEOUT=5000
  ${EndIf}
  FindWindow $0 "${WINDOW_CLASS}" "Vantrel"
  ${If} $0 <> 0
    SendMessage $0 ${QUIT_MESSAGE} 0 0 /TIMEOUT=5000
  ${EndIf}
  Sleep 500
!macroend

!macro UseNativeRegistryView
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
!macroend


Section "$(ProgramSection)" SectionProgram
  SectionIn RO
  !insertmacro CloseRunningPrograms
  SetOutPath "$INSTDIR"
  ${If} ${RunningX64}
    File "${DIST64}\vantrel.exe"
    File "${DIST64}\vtlsystray.exe"
  ${Else}
    File "${DIST32}\vantrel.exe"
    File "${DIST32}\vtlsystray.exe"
  ${EndIf}
  File "${HELP}\*.chm"
  SetOutPath "$INSTDIR\Language"
  File "${DIST32}\Language\*.ini"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  SetShellVarContext all
  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\Vantrel.lnk" "$INSTDIR\vantrel.exe"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\$(HelpLink).lnk" "$INSTDIR\vantrel.chm"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\$(UninstallLink).lnk" "$INSTDIR\uninstall.exe"

  !insertmacro UseNativeRegistryView
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\vantrel.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; The same shortcut the preferences' autorun setting writes (main/autoruns/Link.cpp): the user's
; Startup folder, "-Autorun", the program's own icon and folder.
Section /o "$(AutostartSection)" SectionAutostart
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  CreateShortcut "$SMSTARTUP\Vantrel.lnk" "$INSTDIR\vtlsystray.exe" "-Autorun" "$INSTDIR\vtlsystray.exe" 0 \
    SW_SHOWNORMAL "" "Automatischer Start des Vantrel SystemTray Icons."
SectionEnd

Section "un.$(ProgramSection)" SectionUninstallProgram
  SectionIn RO
  !insertmacro CloseRunningPrograms
  Delete "$INSTDIR\vantrel.exe"
  Delete "$INSTDIR\vtlsystray.exe"
  Delete "$INSTDIR\vantrel*.chm"
  Delete "$INSTDIR\Language\*.ini"
  RMDir "$INSTDIR\Language"
  Delete "$INSTDIR\uninstall.exe"

  SetShellVarContext all
  RMDir /r "$SMPROGRAMS\${PRODUCT}"
  SetShellVarContext current
  Delete "$SMSTARTUP\Vantrel.lnk"

  !insertmacro UseNativeRegistryView
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd

; The user's own files stay unless asked: a reinstall finds them again.
Section /o "un.$(RemoveDataSection)" SectionUninstallData
  SetShellVarContext current
  RMDir /r "$PROFILE\${PRODUCT}"
  Delete "$INSTDIR\vantrel.db"
SectionEnd

; Runs last: the folder goes only when nothing of the user's is left in it.
Section "-un.Folder"
  RMDir "$INSTDIR"
SectionEnd

Function .onInit
  ${If} ${RunningX64}
    ; Unless /D named a folder, the 64-bit programs go to the 64-bit program folder.
    StrCmp $INSTDIR "$PROGRAMFILES\${PRODUCT}" 0 +2
      StrCpy $INSTDIR "$PROGRAMFILES64\${PRODUCT}"
  ${EndIf}
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/AUTOSTART" $1
  ${IfNot} ${Errors}
    SectionSetFlags ${SectionAutostart} ${SF_SELECTED}
  ${EndIf}
FunctionEnd
