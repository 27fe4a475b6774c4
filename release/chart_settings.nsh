; The installer's page for the user's settings: where the station writes chart files for Sierra
; Chart (ChartFolder) and the time zone that the recorded ticks were taken in (RecordingTimeZone).
; Installing silently, the page is not shown and .onInit's choices stand: the Sierra Chart Data
; folder that was found, if any, and Eastern Standard Time.

Var ChartFolder   ; "" for none: the chart files lie beside the programs
Var ZoneKey       ; the zone's key name under ZONES_KEY; "" for none: times written as recorded
Var IntoFolderRadio
Var BesideRadio
Var FolderBox
Var ZoneList

!define NO_ZONE_TEXT "None: times are written as recorded"

; Fixed drives only, from A: to Z: (a floppy, CD or network drive would make the search slow or ask for
; a disk). On each, the usual places of a Sierra Chart installation, the most likely first.
!macro TRY_SIERRA_CHART_FOLDER drive folder
  ${If} $0 == ""
  ${AndIf} ${FileExists} "${drive}:\${folder}\Data\*.*"
    StrCpy $0 "${drive}:\${folder}\Data"
  ${EndIf}
!macroend

; $0 = the first Sierra Chart Data folder that exists, or "".
Function FindSierraChartData
  Push $1
  Push $2
  Push $3
  StrCpy $0 ""
  StrCpy $1 0
  ${Do}
    StrCpy $2 "ABCDEFGHIJKLMNOPQRSTUVWXYZ" 1 $1
    ${IfThen} $2 == "" ${|} ${ExitDo} ${|}
    System::Call 'kernel32::GetDriveTypeW(w "$2:\") i .r3'
    ${If} $3 == 3  ; DRIVE_FIXED
      !insertmacro TRY_SIERRA_CHART_FOLDER $2 "SierraChart"
      !insertmacro TRY_SIERRA_CHART_FOLDER $2 "SierraChart2"
      !insertmacro TRY_SIERRA_CHART_FOLDER $2 "SierraChart3"
      !insertmacro TRY_SIERRA_CHART_FOLDER $2 "SierraChart4"
      !insertmacro TRY_SIERRA_CHART_FOLDER $2 "SierraChart5"
      !insertmacro TRY_SIERRA_CHART_FOLDER $2 "SierraChart6"
      !insertmacro TRY_SIERRA_CHART_FOLDER $2 "SierraChart7"
      !insertmacro TRY_SIERRA_CHART_FOLDER $2 "SierraChart8"
      !insertmacro TRY_SIERRA_CHART_FOLDER $2 "SierraChart9"
      !insertmacro TRY_SIERRA_CHART_FOLDER $2 "Program Files\SierraChart"
      !insertmacro TRY_SIERRA_CHART_FOLDER $2 "Program Files (x86)\SierraChart"
    ${EndIf}
    ${IfThen} $0 != "" ${|} ${ExitDo} ${|}
    IntOp $1 $1 + 1
  ${Loop}
  Pop $3
  Pop $2
  Pop $1
FunctionEnd

Function .onInit
  ; Settings that the user has (an earlier installation, or Tickvane Settings) stay as they are,
  ; a setting left out on purpose included.
  ClearErrors
  EnumRegValue $0 HKCU "${SETTINGS_KEY}" 0
  ${IfNot} ${Errors}
    ReadRegStr $ChartFolder HKCU "${SETTINGS_KEY}" "ChartFolder"
    ReadRegStr $ZoneKey HKCU "${SETTINGS_KEY}" "RecordingTimeZone"
  ${Else}
    Call FindSierraChartData
    StrCpy $ChartFolder $0
    StrCpy $ZoneKey "${DEFAULT_ZONE}"
  ${EndIf}
FunctionEnd

; "05" -> 5: IntOp would read a leading zero as the start of an octal number ("08" and "09").
Function NumberOfTwoDigits
  Exch $0
  Push $1
  StrCpy $1 $0 1
  ${IfThen} $1 == "0" ${|} StrCpy $0 $0 1 1 ${|}
  ${IfThen} $0 == "" ${|} StrCpy $0 0 ${|}
  Pop $1
  Exch $0
FunctionEnd

; "(UTC-05:00) Eastern Time (US & Canada)" on the stack -> 1000 plus its minutes east of UTC, by
; which the list runs west to east as Windows shows it. "(UTC) ..." and texts of another form: 1000.
Function ZoneSortKey
  Exch $0
  Push $1
  Push $2
  Push $3
  StrCpy $1 $0 1 4
  StrCpy $3 0
  ${If} $1 == "+"
  ${OrIf} $1 == "-"
    StrCpy $2 $0 2 5
    Push $2
    Call NumberOfTwoDigits
    Pop $2
    IntOp $3 $2 * 60
    StrCpy $2 $0 2 8
    Push $2
    Call NumberOfTwoDigits
    Pop $2
    IntOp $3 $3 + $2
    ${IfThen} $1 == "-" ${|} IntOp $3 0 - $3 ${|}
  ${EndIf}
  IntOp $0 $3 + 1000
  Pop $3
  Pop $2
  Pop $1
  Exch $0
FunctionEnd

; Every zone of the system by its display text, west to east, after the entry for none. An
; entry's data is its sort key times 1000 plus the zone's index among the registry's keys (0 for
; none); the page's choice is read back through that index.
Function FillZoneList
  SendMessage $ZoneList ${CB_ADDSTRING} 0 "STR:${NO_ZONE_TEXT}" $0
  SendMessage $ZoneList ${CB_SETITEMDATA} $0 0
  StrCpy $R8 -1  ; the index of the chosen zone
  StrCpy $R9 -1  ; and of the default zone
  StrCpy $R0 0
  ${Do}
    EnumRegKey $R1 HKLM "${ZONES_KEY}" $R0
    ${IfThen} $R1 == "" ${|} ${ExitDo} ${|}
    ${IfThen} $R0 > 999 ${|} ${ExitDo} ${|}
    ReadRegStr $R2 HKLM "${ZONES_KEY}\$R1" "Display"
    ${IfThen} $R2 == "" ${|} StrCpy $R2 $R1 ${|}
    ${IfThen} $R1 == $ZoneKey ${|} StrCpy $R8 $R0 ${|}
    ${IfThen} $R1 == "${DEFAULT_ZONE}" ${|} StrCpy $R9 $R0 ${|}
    Push $R2
    Call ZoneSortKey
    Pop $R3
    ; Before the first entry further east; the list is short, a scan will do.
    SendMessage $ZoneList ${CB_GETCOUNT} 0 0 $R4
    StrCpy $R5 1
    ${DoWhile} $R5 < $R4
      SendMessage $ZoneList ${CB_GETITEMDATA} $R5 0 $R6
      IntOp $R6 $R6 / 1000
      ${IfThen} $R6 > $R3 ${|} ${ExitDo} ${|}
      IntOp $R5 $R5 + 1
    ${Loop}
    IntOp $R6 $R3 * 1000
    IntOp $R6 $R6 + $R0
    SendMessage $ZoneList ${CB_INSERTSTRING} $R5 "STR:$R2" $R7
    SendMessage $ZoneList ${CB_SETITEMDATA} $R7 $R6
    IntOp $R0 $R0 + 1
  ${Loop}

  ; The chosen zone; one the system does not have gives way to the default.
  ${If} $ZoneKey == ""
    SendMessage $ZoneList ${CB_SETCURSEL} 0 0
    Return
  ${EndIf}
  ${IfThen} $R8 < 0 ${|} StrCpy $R8 $R9 ${|}
  SendMessage $ZoneList ${CB_GETCOUNT} 0 0 $R4
  StrCpy $R5 1
  ${DoWhile} $R5 < $R4
    SendMessage $ZoneList ${CB_GETITEMDATA} $R5 0 $R6
    IntOp $R6 $R6 % 1000
    ${If} $R6 == $R8
      SendMessage $ZoneList ${CB_SETCURSEL} $R5 0
      ${ExitDo}
    ${EndIf}
    IntOp $R5 $R5 + 1
  ${Loop}
FunctionEnd

Function ChartSettingsPage
  !insertmacro MUI_HEADER_TEXT "Chart files and time zone" \
      "Where Sierra Chart finds the chart files, and where the recorded ticks were taken."
  nsDialogs::Create 1018
  Pop $0
  ${If} $0 == error
    Abort
  ${EndIf}

  ${NSD_CreateLabel} 0 0 100% 26u "In $\"sierra$\" mode the station writes every replayed tick into a chart file. \
Sierra Chart lists the files <name>.scid of its Data Files folder and takes their times as UTC."
  Pop $0
  ; Both choices first, so that they are one group for the arrow keys; the folder box lies between
  ; them on the page.
  ${NSD_CreateFirstRadioButton} 0 28u 100% 11u "&Into Sierra Chart's Data Files folder:"
  Pop $IntoFolderRadio
  ${NSD_CreateAdditionalRadioButton} 0 60u 100% 11u "Beside the Tickvane &programs (no chart folder)"
  Pop $BesideRadio
  ${NSD_CreateDirRequest} 12u 42u 224u 13u "$ChartFolder"
  Pop $FolderBox
  ${NSD_AddStyle} $FolderBox ${WS_GROUP}
  ${NSD_CreateBrowseButton} 240u 41u 60u 15u "B&rowse..."
  Pop $0
  ${NSD_OnClick} $0 ChartSettingsBrowse
  ${NSD_OnClick} $IntoFolderRadio ChartSettingsFolderChoice
  ${NSD_OnClick} $BesideRadio ChartSettingsFolderChoice

  ${NSD_CreateLabel} 0 78u 100% 18u "Time zone of the recorded ticks: their times are local times of this zone, and \
the chart file gets them as UTC. US equities and the bundled IBM sample: Eastern Standard Time."
  Pop $0
  ${NSD_CreateDropList} 0 98u 100% 120u ""
  Pop $ZoneList
  ${NSD_AddStyle} $ZoneList ${WS_GROUP}
  Call FillZoneList
  ${NSD_CreateLabel} 0 120u 100% 10u "Tickvane Settings in the Start menu changes both later."
  Pop $0

  ${If} $ChartFolder != ""
    ${NSD_Check} $IntoFolderRadio
  ${Else}
    ${NSD_Check} $BesideRadio
    EnableWindow $FolderBox 0
  ${EndIf}
  nsDialogs::Show
FunctionEnd

Function ChartSettingsFolderChoice
  Pop $0
  ${NSD_GetState} $IntoFolderRadio $1
  ${If} $1 == ${BST_CHECKED}
    EnableWindow $FolderBox 1
  ${Else}
    EnableWindow $FolderBox 0
  ${EndIf}
FunctionEnd

Function ChartSettingsBrowse
  Pop $0
  ${NSD_GetText} $FolderBox $1
  nsDialogs::SelectFolderDialog "Sierra Chart's Data Files folder" "$1"
  Pop $1
  ${If} $1 != error
  ${AndIf} $1 != ""
    ${NSD_SetText} $FolderBox $1
    ${NSD_Check} $IntoFolderRadio
    ${NSD_Uncheck} $BesideRadio
    EnableWindow $FolderBox 1
  ${EndIf}
FunctionEnd

; The text on the stack without blanks at either end.
Function TrimBlanks
  Exch $0
  Push $1
  ${Do}
    StrCpy $1 $0 1
    ${IfThen} $1 != " " ${|} ${ExitDo} ${|}
    StrCpy $0 $0 "" 1
  ${Loop}
  ${Do}
    StrCpy $1 $0 1 -1
    ${IfThen} $1 != " " ${|} ${ExitDo} ${|}
    StrCpy $0 $0 -1
  ${Loop}
  Pop $1
  Exch $0
FunctionEnd

; A folder that the chart-file writer would refuse when a replay starts is refused here already.
Function ChartSettingsPageLeave
  ${NSD_GetState} $IntoFolderRadio $0
  ${If} $0 == ${BST_CHECKED}
    ${NSD_GetText} $FolderBox $1
    Push $1
    Call TrimBlanks
    Pop $1
    StrCpy $2 $1 2 1
    StrCpy $3 $1 2
    ${If} $1 == ""
      MessageBox MB_OK|MB_ICONEXCLAMATION "No chart folder is given. Type it or pick it with Browse..., or choose \
to keep the chart files beside the Tickvane programs."
      Abort
    ${ElseIf} $2 != ":\"
    ${AndIf} $3 != "\\"
      MessageBox MB_OK|MB_ICONEXCLAMATION "The chart folder $\"$1$\" is not a full folder path. Give it from the \
drive on, such as C:\SierraChart\Data."
      Abort
    ${ElseIfNot} ${FileExists} "$1\*.*"
      ${If} ${FileExists} "$1"
        MessageBox MB_OK|MB_ICONEXCLAMATION "The chart folder $\"$1$\" is a file, not a folder."
      ${Else}
        MessageBox MB_OK|MB_ICONEXCLAMATION "The chart folder $\"$1$\" does not exist. Pick the Data Files folder \
that Sierra Chart uses, or keep the chart files beside the Tickvane programs."
      ${EndIf}
      Abort
    ${EndIf}
    StrCpy $ChartFolder $1
  ${Else}
    StrCpy $ChartFolder ""
  ${EndIf}

  SendMessage $ZoneList ${CB_GETCURSEL} 0 0 $0
  ${If} $0 >= 0
    SendMessage $ZoneList ${CB_GETITEMDATA} $0 0 $1
    ${If} $1 == 0
      StrCpy $ZoneKey ""
    ${Else}
      IntOp $1 $1 % 1000
      EnumRegKey $ZoneKey HKLM "${ZONES_KEY}" $1
    ${EndIf}
  ${EndIf}
FunctionEnd
