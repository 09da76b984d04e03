# SPDX-License-Identifier: MIT
# Vemdra's installer for Windows: in Chinese, for the current user only (no
# administrator rights), into %LOCALAPPDATA%\Programs\Vemdra, with a
# Start-menu entry and an uninstaller in "Apps and features".
# scripts/windows builds it from the folder that the zip is made of:
#   makensis -INPUTCHARSET UTF8 -DVERSION=1.5a -DVERSION4=1.5.0.0
#            -DSTAGE=<folder> -DFILES=<list> -DSIZE_KB=<n> -DOUTFILE=<exe> vemdra.nsi
# FILES, written by scripts/windows, names every file of that folder in two
# macros, VEMDRA_INSTALL_FILES and VEMDRA_REMOVE_FILES, so the uninstaller
# removes exactly what was installed and leaves anything else alone.
# A 64-bit installer for a 64-bit program: it runs wherever Vemdra runs,
# and under wine64 alone.
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!define MENU_NAME "Vemdra 文字编码工具"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vemdra"

Name "${MENU_NAME}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Vemdra"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

!include "MUI2.nsh"
!include "${FILES}"

!define MUI_ABORTWARNING
!define MUI_ICON "${__FILEDIR__}/../../app/icons/vemdra.ico"
!define MUI_UNICON "${__FILEDIR__}/../../app/icons/vemdra.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\vemdra.exe"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

VIProductVersion "${VERSION4}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductName" "Vemdra"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileDescription" "${MENU_NAME} 安装程序"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "CompanyName" "The Vemdra developers"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "LegalCopyright" "Copyright (c) 2026 The Vemdra developers. MIT License."

Function .onInit
    SetShellVarContext current
FunctionEnd

Function un.onInit
    SetShellVarContext current
FunctionEnd

Section "Vemdra"
    !insertmacro VEMDRA_INSTALL_FILES
    WriteUninstaller "$INSTDIR\uninstall.exe"

    SetOutPath "$INSTDIR"
    CreateShortcut "$SMPROGRAMS\${MENU_NAME}.lnk" "$INSTDIR\vemdra.exe"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${MENU_NAME}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\vemdra.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Vemdra developers"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    Delete "$SMPROGRAMS\${MENU_NAME}.lnk"
    !insertmacro VEMDRA_REMOVE_FILES
    Delete "$INSTDIR\uninstall.exe"
    # Only when empty: files the user put there stay, and so does the folder.
    RMDir "$INSTDIR"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
