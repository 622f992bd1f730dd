; The installer of 钢筋重量计算 for 64-bit Windows, with a Simplified-Chinese UI.
; Installs for all users into Program Files, adds a Start-menu shortcut and registers
; its uninstaller under Apps & features. /S installs and uninstalls silently.
;   makensis -INPUTCHARSET UTF8 -DVERSION=… -DVERSION4=… -DPUBLISHER=… -DSTAGE=…
;            -DICON=… -DOUTFILE=… -DSIZE_KB=… rebar-weight.nsi
Unicode true
; A 64-bit stub: the program is 64-bit, and 64-bit-only Windows (and Wine) run it.
Target amd64-unicode
ManifestDPIAware true

!include "MUI2.nsh"

!define APP_NAME "钢筋重量计算"
!define APP_EXE "rebar-weight.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\RebarWeight"

Name "${APP_NAME} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${APP_NAME}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
; Installed files get the time of the install: the installer records none of the
; staged files' times, so two builds of one commit are the same bytes.
SetDateSave off
BrandingText "${APP_NAME} ${VERSION}"

VIProductVersion "${VERSION4}"
VIFileVersion "${VERSION4}"
VIAddVersionKey /LANG=2052 "ProductName" "${APP_NAME}"
VIAddVersionKey /LANG=2052 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "FileDescription" "${APP_NAME} 安装程序"
VIAddVersionKey /LANG=2052 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=2052 "LegalCopyright" "MIT License"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\${APP_EXE}"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

; What the installer puts into the install folder; the uninstaller removes just these.
!macro PROGRAM_FILES action
    ${action} "${APP_EXE}"
    ${action} "LICENSE.txt"
    ${action} "THIRD-PARTY-NOTICES.txt"
    ${action} "ARPHICPL.TXT"
!macroend
; Files release 1.00 installed and this one does not ship: Qt's licence texts.
!macro OLD_FILES action
    ${action} "LGPL-3.txt"
    ${action} "GPL-3.txt"
!macroend
!define INSTALL_FILE '!insertmacro INSTALL_FILE_'
!macro INSTALL_FILE_ name
    File "${STAGE}/${name}"
!macroend
!define REMOVE_FILE '!insertmacro REMOVE_FILE_'
!macro REMOVE_FILE_ name
    Delete "$INSTDIR\${name}"
!macroend

Function .onInit
    SetRegView 64
    SetShellVarContext all
FunctionEnd

Function un.onInit
    SetRegView 64
    SetShellVarContext all
FunctionEnd

Section "${APP_NAME}"
    SetOutPath "$INSTDIR"
    !insertmacro OLD_FILES "${REMOVE_FILE}"
    !insertmacro PROGRAM_FILES "${INSTALL_FILE}"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\${APP_NAME}.lnk" "$INSTDIR\${APP_EXE}" "" "$INSTDIR\${APP_EXE}" 0

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${APP_NAME}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${APP_EXE},0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    Delete "$SMPROGRAMS\${APP_NAME}.lnk"
    !insertmacro PROGRAM_FILES "${REMOVE_FILE}"
    !insertmacro OLD_FILES "${REMOVE_FILE}"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
