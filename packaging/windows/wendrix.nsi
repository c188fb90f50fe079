; The Windows installer, built on Linux by makensis (packaging/windows/CMakeLists.txt gives
; VERSION, BUILD, the build tree's files, and OUTFILE): the program, its atlas and a
; Start-menu shortcut under Program Files; the screen saver in the system folder, where
; Screen Saver Settings lists it; an entry in Apps & features; and an uninstaller that
; takes all of that away again. /S installs or uninstalls silently.
Unicode true
; A 64-bit installer: $PROGRAMFILES64 and $SYSDIR are the 64-bit folders, unredirected.
Target amd64-unicode
SetCompressor /SOLID lzma
; The files' times stay out of the installer, so that it is the same bytes whenever it is made;
; installed files take the time of the installation.
SetDateSave off
ManifestDPIAware true
RequestExecutionLevel admin

!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "StrFunc.nsh"
${UnStrStr}

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Wendrix"
!define PUBLISHER "Wendrix maintainers"

Name "Wendrix"
Caption "Wendrix ${VERSION} Setup"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Wendrix"
; Installed again, it goes where it went before.
InstallDirRegKey HKLM "Software\Wendrix" "InstallDir"
Icon "${BUILD}/wendrix.ico"
UninstallIcon "${BUILD}/wendrix.ico"
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "Wendrix"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "Wendrix ${VERSION} Setup"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "LegalCopyright" "Copyright 2026 ${PUBLISHER}"

Page license
Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles
LicenseData "${BUILD}/COPYRIGHT.txt"

Section
  ; The Start menu of every user, as the program is installed for every user.
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "${BUILD}/wendrix.exe"
  File "${BUILD}/font.bmp"
  File "${BUILD}/README.txt"
  File "${BUILD}/COPYRIGHT.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Wendrix.lnk" "$INSTDIR\wendrix.exe"
  SetOutPath "$SYSDIR"
  File "${BUILD}/wendrix.scr"
  ; The screen saver finds the atlas through this (platform/Win32Platform.cpp).
  WriteRegStr HKLM "Software\Wendrix" "InstallDir" "$INSTDIR"

  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Wendrix"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\wendrix.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\Wendrix.lnk"
  ; Screen Saver Settings may hold it open for its preview: then it goes at the next restart.
  Delete /REBOOTOK "$SYSDIR\wendrix.scr"
  Delete "$INSTDIR\wendrix.exe"
  Delete "$INSTDIR\font.bmp"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\COPYRIGHT.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegKey HKLM "Software\Wendrix"
  ; The screen saver's settings go with it: the uninstaller leaves nothing of Wendrix behind.
  DeleteRegKey HKCU "Software\Wendrix"
  ; Chosen as the screen saver, it would stay named there after it has gone.
  ReadRegStr $0 HKCU "Control Panel\Desktop" "SCRNSAVE.EXE"
  ${UnStrStr} $1 $0 "wendrix.scr"
  ${If} $1 != ""
    DeleteRegValue HKCU "Control Panel\Desktop" "SCRNSAVE.EXE"
  ${EndIf}
SectionEnd
