; The Windows installer, made by scripts/windows-build.sh with Debian's makensis:
;   makensis -DVERSION=1.0.4 -DSOURCE=<portable folder> -DFILES=<uninstall list> -DOUTFILE=<setup.exe> tamrik.nsi
; It puts the portable folder under Program Files, adds a Start-menu entry and
; an uninstaller. The uninstaller removes only the files it installed: the
; user's param.opt, entries file and shortlists (in %APPDATA%\Tamrik, or in the
; program's folder when that was writable) stay.
; A 64-bit installer for a 64-bit program: it runs under Debian's wine64,
; which has no 32-bit side, and sees the 64-bit Program Files and registry.
Target amd64-unicode
SetCompressor /SOLID lzma
!include "MUI2.nsh"

Name "Tamrik ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Tamrik"
InstallDirRegKey HKLM "Software\Tamrik" "InstallDir"
RequestExecutionLevel admin
BrandingText "Tamrik ${VERSION}"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tamrik"
!define MUI_ICON "${SOURCE}\tamrik.ico"
!define MUI_UNICON "${SOURCE}\tamrik.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\tamrik.exe"

!insertmacro MUI_PAGE_LICENSE "${SOURCE}\NOTICES.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Thai"
!insertmacro MUI_LANGUAGE "English"

Section "Tamrik"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File /r "${SOURCE}\*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateDirectory "$SMPROGRAMS\Tamrik"
  CreateShortcut "$SMPROGRAMS\Tamrik\Tamrik.lnk" "$INSTDIR\tamrik.exe" "" "$INSTDIR\tamrik.ico" 0
  WriteRegStr HKLM "Software\Tamrik" "InstallDir" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Tamrik"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tamrik.ico"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Tamrik maintainers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  ; Deletes each installed file by name, then the folders if that left them
  ; empty: RMDir without /r never takes a file the user made.
  !include "${FILES}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Tamrik\Tamrik.lnk"
  RMDir "$SMPROGRAMS\Tamrik"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegKey HKLM "Software\Tamrik"
SectionEnd
