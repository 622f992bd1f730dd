; The installer of 钢筋重量计算 for 64-bit Windows, with a Simplified-Chinese UI.
; Per user by default, with no elevation: into %LOCALAPPDATA%\Programs\钢筋重量计算, the
; uninstall entry under HKCU, the shortcuts in the user's own Start menu and desktop.
; For all users (Program Files, HKLM) when started as administrator and the user says
; so, or with /AllUsers from an elevated prompt. /S installs silently, with a desktop
; shortcut unless /NODESKTOP is given; the uninstaller takes /S too.
;   makensis -INPUTCHARSET UTF8 -DVERSION=… -DVERSION4=… -DPUBLISHER=… -DSTAGE=…
;            -DICON=… -DOUTFILE=… -DSIZE_KB=… rebar-weight.nsi
Unicode true
; A 64-bit stub: the program is 64-bit, and 64-bit-only Windows (and Wine) run it.
Target amd64-unicode
ManifestDPIAware true

!define APP_NAME "钢筋重量计算"
!define APP_EXE "rebar-weight.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\RebarWeight"
; The class of the program's window, and the title release 1.00's window had too.
!define WINDOW_CLASS "RebarWeightForm1"

; "Standard": the installer asks Windows for no elevation (RequestExecutionLevel user).
; An administrator who starts it "as administrator" is offered all users.
!define MULTIUSER_EXECUTIONLEVEL Standard
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_INSTDIR "${APP_NAME}"
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!include "MultiUser.nsh"
!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "WinVer.nsh"
!include "FileFunc.nsh"

Name "${APP_NAME} ${VERSION}"
OutFile "${OUTFILE}"
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
; The finish page's second checkbox, checked: a shortcut on the desktop.
!define MUI_FINISHPAGE_SHOWREADME ""
!define MUI_FINISHPAGE_SHOWREADME_TEXT "在桌面上创建快捷方式"
!define MUI_FINISHPAGE_SHOWREADME_FUNCTION CreateDesktopShortcut
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

; Stops with a message (and, silent, with exit status 4) while the program runs, so
; that nothing fails halfway on a file in use.
!macro STOP_WHILE_RUNNING un
Function ${un}StopWhileRunning
    retry:
        FindWindow $0 "${WINDOW_CLASS}"
        ${If} $0 = 0
            FindWindow $0 "" "${APP_NAME}"
        ${EndIf}
        ${If} $0 <> 0
            MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
                "钢筋重量计算正在运行。请先关闭它，再点“重试”。" /SD IDCANCEL IDRETRY retry
            SetErrorLevel 4
            Quit
        ${EndIf}
FunctionEnd
!macroend
!insertmacro STOP_WHILE_RUNNING ""
!insertmacro STOP_WHILE_RUNNING "un."

Function .onInit
    SetRegView 64
    ; Below Windows 7 SP1 the program cannot start: say so before anything is written.
    StrCpy $1 0
    ${If} ${AtMostWinVista}
        StrCpy $1 1
    ${ElseIf} ${IsWin7}
    ${AndIfNot} ${AtLeastServicePack} 1
        StrCpy $1 1
    ${EndIf}
    ${If} $1 = 1
        MessageBox MB_OK|MB_ICONSTOP \
            "钢筋重量计算需要 64 位的 Windows 7 SP1 或更新的 Windows，无法安装在这台电脑的 Windows 上。" /SD IDOK
        SetErrorLevel 3
        Quit
    ${EndIf}
    Call StopWhileRunning

    !insertmacro MULTIUSER_INIT
    ${GetParameters} $2
    ClearErrors
    ${GetOptions} $2 "/CurrentUser" $3
    ${If} ${Errors}
    ${AndIfNot} ${Silent}
    ${AndIf} $MultiUser.Privileges == "Admin"
    ${AndIf} $MultiUser.InstallMode == "CurrentUser"
        MessageBox MB_YESNO|MB_ICONQUESTION \
            "要为这台电脑的所有用户安装吗？$\n$\n“是”：装入 Program Files，所有用户都能使用。$\n“否”：只为当前用户安装。" \
            IDNO +2
        Call MultiUser.InstallMode.AllUsers
    ${EndIf}

    ; A copy for all users, from release 1.00 or an administrator's install, stays where
    ; it is; the user is told where, so that two entries in the Start menu surprise no one.
    ${If} $MultiUser.InstallMode == "CurrentUser"
        ReadRegStr $4 HKLM "${UNINSTALL_KEY}" "InstallLocation"
        ${If} $4 != ""
            MessageBox MB_OK|MB_ICONINFORMATION \
                "这台电脑上已有一份供所有用户使用的钢筋重量计算，装在“$4”。本次只为当前用户安装，不改动那一份；不再需要它时，请由管理员在“应用和功能”中卸载。" /SD IDOK
        ${EndIf}
    ${EndIf}
FunctionEnd

Function un.onInit
    SetRegView 64
    Call un.StopWhileRunning
    !insertmacro MULTIUSER_UNINIT
FunctionEnd

Function CreateDesktopShortcut
    CreateShortcut "$DESKTOP\${APP_NAME}.lnk" "$INSTDIR\${APP_EXE}" "" "$INSTDIR\${APP_EXE}" 0
FunctionEnd

Section "${APP_NAME}"
    SetOutPath "$INSTDIR"
    !insertmacro OLD_FILES "${REMOVE_FILE}"
    !insertmacro PROGRAM_FILES "${INSTALL_FILE}"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\${APP_NAME}.lnk" "$INSTDIR\${APP_EXE}" "" "$INSTDIR\${APP_EXE}" 0
    ${If} ${Silent}
        ${GetParameters} $2
        ClearErrors
        ${GetOptions} $2 "/NODESKTOP" $3
        ${If} ${Errors}
            Call CreateDesktopShortcut
        ${EndIf}
    ${EndIf}

    ; SHCTX is HKCU for one user, HKLM for all; the uninstaller is told which.
    ${If} $MultiUser.InstallMode == "AllUsers"
        StrCpy $5 "/AllUsers"
    ${Else}
        StrCpy $5 "/CurrentUser"
    ${EndIf}
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${APP_NAME}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${APP_EXE},0"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" $5'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" $5 /S'
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    Delete "$SMPROGRAMS\${APP_NAME}.lnk"
    Delete "$DESKTOP\${APP_NAME}.lnk"
    !insertmacro PROGRAM_FILES "${REMOVE_FILE}"
    !insertmacro OLD_FILES "${REMOVE_FILE}"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
    ; The per-user programs folder and uninstall key, when this program was all they held.
    ${If} $MultiUser.InstallMode == "CurrentUser"
        RMDir "$LOCALAPPDATA\Programs"
        DeleteRegKey /ifempty HKCU "Software\Microsoft\Windows\CurrentVersion\Uninstall"
    ${EndIf}
SectionEnd
