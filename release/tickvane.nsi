; The Tickvane installer: installs the toolset for the current user, without administrator rights.
; Made by the build (target "installer", see release/CMakeLists.txt), which defines VERSION,
; VERSION4, PUBLISHER, COPYRIGHT, BINDIR (the built programs), FILES (the list of shipped files)
; and OUTFILE.

Unicode true
; The programs and zavovq.dll are 64-bit; a 64-bit installer can load the DLL to register it.
Target amd64-unicode
RequestExecutionLevel user
ManifestDPIAware true
ManifestSupportedOS all
SetCompressor /SOLID lzma
; No file times in the installer, so that the same programs always give the same installer.
SetDateSave off

!include MUI2.nsh
!include LogicLib.nsh
!include nsDialogs.nsh
!include "${FILES}"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tickvane"
!define START_FOLDER "$SMPROGRAMS\Tickvane"
; The component registers itself per user under this ProgID.
!define PROGID_KEY "Software\Classes\zavovq"
; The user's settings, read by the chart-file writer when a replay starts, and by Setvane.exe.
!define SETTINGS_KEY "Software\Tickvane"
!define ZONES_KEY "SOFTWARE\Microsoft\Windows NT\CurrentVersion\Time Zones"
; US equities, and the bundled IBM sample, were recorded in New York.
!define DEFAULT_ZONE "Eastern Standard Time"

Name "Tickvane ${VERSION}"
Caption "Tickvane ${VERSION} Setup"
UninstallCaption "Tickvane ${VERSION} Uninstall"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Tickvane"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Tickvane ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION4}"
VIFileVersion "${VERSION4}"
VIAddVersionKey /LANG=1033 "ProductName" "Tickvane"
VIAddVersionKey /LANG=1033 "FileDescription" "Tickvane Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${COPYRIGHT}"
VIAddVersionKey /LANG=1033 "OriginalFilename" "TickvaneSetup-${VERSION}.exe"

!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\Portvane.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Tickvane Playback"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
Page custom ChartSettingsPage ChartSettingsPageLeave
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!define MUI_UNCONFIRMPAGE_TEXT_TOP "Tickvane will be removed from the folder below. Your own files in it stay: \
practice.EPF, your chart files and anything else that you put there."
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

!include "${__FILEDIR__}/chart_settings.nsh"

!macro INSTALL_SHIPPED_FILE name
  File "${BINDIR}/${name}"
!macroend

; Collects in $R9 the files that could not be removed (in use, most likely).
!macro REMOVE_SHIPPED_FILE name
  ClearErrors
  Delete "$INSTDIR\${name}"
  ${If} ${Errors}
    StrCpy $R9 "$R9$\r$\n${name}"
  ${EndIf}
!macroend

; $0 = the DLL that the ProgID "zavovq" leads to for this user, or "" when it is not registered.
!macro READ_REGISTERED_COMPONENT
  StrCpy $0 ""
  ReadRegStr $1 HKCU "${PROGID_KEY}\CLSID" ""
  ${If} $1 != ""
    ReadRegStr $0 HKCU "Software\Classes\CLSID\$1\InprocServer32" ""
  ${EndIf}
!macroend

Section "Tickvane" SectionMain
  SectionIn RO
  SetOutPath "$INSTDIR"
  !insertmacro TICKVANE_SHIPPED_FILES INSTALL_SHIPPED_FILE
  ; The uninstaller and its entry come before the registration, so that a failed registration
  ; still leaves an installation that can be removed.
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Tickvane"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Portvane.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  SectionGetSize ${SectionMain} $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0

  ; What the settings page (or, installing silently, .onInit) chose.
  ${If} $ChartFolder != ""
    WriteRegStr HKCU "${SETTINGS_KEY}" "ChartFolder" "$ChartFolder"
  ${Else}
    DeleteRegValue HKCU "${SETTINGS_KEY}" "ChartFolder"
  ${EndIf}
  WriteRegStr HKCU "${SETTINGS_KEY}" "RecordingTimeZone" "$ZoneKey"

  ; RegDLL alone does not tell whether DllRegisterServer succeeded: look where COM will look.
  RegDLL "$INSTDIR\zavovq.dll"
  !insertmacro READ_REGISTERED_COMPONENT
  ${If} $0 != "$INSTDIR\zavovq.dll"
    MessageBox MB_OK|MB_ICONSTOP "The chart-file writer $INSTDIR\zavovq.dll could not be registered, so \
the station cannot write chart files in $\"sierra$\" mode. Tickvane Setup stops here; the programs \
can be removed from Apps and Features." /SD IDOK
    SetErrorLevel 2
    Abort
  ${EndIf}

  CreateDirectory "${START_FOLDER}"
  CreateShortCut "${START_FOLDER}\Tickvane Playback.lnk" "$INSTDIR\Portvane.exe" "" "$INSTDIR\Portvane.exe" 0 \
                 SW_SHOWNORMAL "" "Convert recorded ticks and start a replay"
  CreateShortCut "${START_FOLDER}\Tickvane Help.lnk" "$INSTDIR\help.html" "" "" 0 SW_SHOWNORMAL "" \
                 "How to use the Tickvane replay station"
  CreateShortCut "${START_FOLDER}\Tickvane Settings.lnk" "$INSTDIR\Setvane.exe" "" "$INSTDIR\Setvane.exe" 0 \
                 SW_SHOWNORMAL "" "Where chart files go for Sierra Chart, and the time zone of the recorded ticks"
SectionEnd

Section "Uninstall"
  StrCpy $R9 ""
  UnRegDLL "$INSTDIR\zavovq.dll"
  ; Without the DLL (removed by hand) nothing unregisters it: drop the keys that lead to it.
  !insertmacro READ_REGISTERED_COMPONENT
  ${If} $0 == "$INSTDIR\zavovq.dll"
    DeleteRegKey HKCU "Software\Classes\CLSID\$1"
    DeleteRegKey HKCU "${PROGID_KEY}"
  ${EndIf}

  !insertmacro TICKVANE_SHIPPED_FILES REMOVE_SHIPPED_FILE
  !insertmacro REMOVE_SHIPPED_FILE "Uninstall.exe"
  Delete "${START_FOLDER}\Tickvane Playback.lnk"
  Delete "${START_FOLDER}\Tickvane Help.lnk"
  Delete "${START_FOLDER}\Tickvane Settings.lnk"
  RMDir "${START_FOLDER}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ; The settings go; the chart files that they led to stay, in the chart folder as in this one.
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  ; Never recursive: what is left in the folder is the user's.
  RMDir "$INSTDIR"

  ${If} $R9 != ""
    MessageBox MB_OK|MB_ICONEXCLAMATION "These files could not be removed, most likely because a Tickvane \
program is still running:$R9$\r$\n$\r$\nClose it and delete them from $INSTDIR." /SD IDOK
    SetErrorLevel 2
  ${ElseIf} ${FileExists} "$INSTDIR\*.*"
    DetailPrint "Kept your own files in $INSTDIR."
    MessageBox MB_OK|MB_ICONINFORMATION "Tickvane has been removed. Your own files were kept in $INSTDIR: \
practice.EPF, your chart files and anything else that you put there." /SD IDOK
  ${EndIf}
SectionEnd
