; The Windows installer: copies Tumblix.scr into the system folder, makes it the current
; user's screen saver and lists Tumblix under Apps / Programs and Features with an
; uninstaller. A 64-bit installer, like the saver, so that $SYSDIR is the real System32.
;
;   makensis -NOCD -DVERSION=1.0.0 -DSCR=Tumblix.scr -DLICENSE=LICENSE.txt -DICON=Tumblix.ico
;            -DOUTFILE=tumblix-1.0.0-setup.exe tumblix.nsi      (make_windows.sh runs it)
;
; /S installs (or uninstalls) silently: the same changes, with no question and no Settings.
; The uninstaller gives back the screen-saver values the installer replaced, but only while
; Tumblix is still the chosen saver: a saver picked since then is left alone.

Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define PUBLISHER "The Tumblix authors"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tumblix"
!define DESKTOP_KEY "Control Panel\Desktop"
!define SAVER "$SYSDIR\Tumblix.scr"
!define SPI_SETSCREENSAVEACTIVE 17
!define SPIF_SENDCHANGE 2

Name "Tumblix"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Tumblix"
BrandingText "Tumblix ${VERSION}"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "Tumblix"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "Tumblix ${VERSION} setup"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (c) ${PUBLISHER}; MIT licence"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Open the Screen Saver Settings"
!define MUI_FINISHPAGE_RUN_FUNCTION OpenScreenSaverSettings

!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function OpenScreenSaverSettings
  Exec '"$SYSDIR\control.exe" desk.cpl,,@screensaver'
FunctionEnd

; Keeps a screen-saver value in the uninstall entry under NAME, or nothing when it is unset,
; so that the uninstaller can give it back exactly.
!macro RememberDesktopValue NAME
  ClearErrors
  ReadRegStr $1 HKCU "${DESKTOP_KEY}" "${NAME}"
  ${IfNot} ${Errors}
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Previous ${NAME}" $1
  ${EndIf}
!macroend

!macro RestoreDesktopValue NAME
  ClearErrors
  ReadRegStr $1 HKLM "${UNINSTALL_KEY}" "Previous ${NAME}"
  ${If} ${Errors}
    DeleteRegValue HKCU "${DESKTOP_KEY}" "${NAME}"
  ${Else}
    WriteRegStr HKCU "${DESKTOP_KEY}" "${NAME}" $1
  ${EndIf}
!macroend

Section "Tumblix" SectionSaver
  SetOutPath "$SYSDIR"
  File "/oname=Tumblix.scr" "${SCR}"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; Installing again, over this or an older version, keeps the values remembered the first time.
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${If} $0 != "${SAVER}"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    !insertmacro RememberDesktopValue "SCRNSAVE.EXE"
    !insertmacro RememberDesktopValue "ScreenSaveActive"
  ${EndIf}
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "${SAVER}"
  WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
  ; The running session takes the change without a new logon.
  System::Call 'user32::SystemParametersInfoW(i ${SPI_SETSCREENSAVEACTIVE}, i 1, p 0, i ${SPIF_SENDCHANGE})'

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Tumblix"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "${SAVER},0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  ; _?= runs the uninstaller where it is, instead of from a copy in %TEMP% that only a
  ; restart would remove.
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" _?=$INSTDIR'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S _?=$INSTDIR'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  SectionGetSize ${SectionSaver} $0
  ${GetSize} "$INSTDIR" "/S=0K" $1 $2 $3
  IntOp $0 $0 + $1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${If} $0 == "${SAVER}"
    !insertmacro RestoreDesktopValue "SCRNSAVE.EXE"
    !insertmacro RestoreDesktopValue "ScreenSaveActive"
  ${EndIf}
  Delete "${SAVER}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ${If} $EXEDIR == $INSTDIR
    ; Windows keeps the file of a running program: a hidden command removes it and its
    ; folder once this uninstaller has ended. Neither process may stand in the folder.
    SetOutPath "$TEMP"
    ExecShell "" "$SYSDIR\cmd.exe" '/d /c ping -n 3 127.0.0.1 >nul & del /f /q "$INSTDIR\uninstall.exe" & rd "$INSTDIR"' SW_HIDE
  ${Else}
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
  ${EndIf}
SectionEnd
