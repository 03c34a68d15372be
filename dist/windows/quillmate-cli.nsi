; SPDX-License-Identifier: MIT
; Installer of quillmate-cli for Windows, made by scripts/build-windows.sh --package with
; makensis -DVERSION=... -DSTAGE=<directory of the zip's files> -DOUTFILE=<setup.exe>.
; It installs for the current user (no administrator rights needed) and puts the program's
; directory on that user's PATH; the uninstaller takes it off again.

Unicode true
!include "WordFunc.nsh"
!include "WinMessages.nsh"

Name "Quillmate/VB command line ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\quillmate-cli"
RequestExecutionLevel user
SetCompressor /SOLID lzma

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\quillmate-cli"

Page license
Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles
LicenseData "${STAGE}\LICENSE.txt"

Section "quillmate-cli"
  SetOutPath "$INSTDIR"
  File "${STAGE}\quillmate-cli.exe"
  File "${STAGE}\README.txt"
  File "${STAGE}\LICENSE.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The user's PATH gains the directory once.
  ReadRegStr $0 HKCU "Environment" "Path"
  ${WordFind} "$0" ";" "E/$INSTDIR" $1
  IfErrors 0 path_done
  StrCmp $0 "" 0 +3
    WriteRegExpandStr HKCU "Environment" "Path" "$INSTDIR"
    Goto path_written
  WriteRegExpandStr HKCU "Environment" "Path" "$0;$INSTDIR"
  path_written:
  SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:Environment" /TIMEOUT=5000
  path_done:

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Quillmate/VB command line"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "The Quillmate/VB developers"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  ReadRegStr $0 HKCU "Environment" "Path"
  ${un.WordReplace} "$0" ";$INSTDIR" "" "+" $1
  ${un.WordReplace} "$1" "$INSTDIR;" "" "+" $1
  StrCmp $1 "$INSTDIR" 0 +2
    StrCpy $1 ""
  WriteRegExpandStr HKCU "Environment" "Path" "$1"
  SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:Environment" /TIMEOUT=5000

  Delete "$INSTDIR\quillmate-cli.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
