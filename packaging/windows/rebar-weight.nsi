; The installer of 钢筋重量计算 for every Windows from 7 SP1 on, 32-bit or 64-bit, with a
; Simplified-Chinese UI. It carries both programs and installs the one for the machine
; Windows runs on (ChooseProgram below): the 64-bit program on 64-bit x86 Windows and
; on Windows 11 on Arm, the 32-bit one on 32-bit Windows and on Windows 10 on Arm.
; Per user by default, with no elevation: into %LOCALAPPDATA%\Programs\钢筋重量计算, the
; uninstall entry under HKCU, the shortcuts in the user's own Start menu and desktop.
; For all users (Program Files, HKLM) when started as administrator and the user says
; so, or with /AllUsers from an elevated prompt; /S /AllUsers without those rights
; ends at once, with no box (EndSilentAllUsersWithoutRights). /S installs silently,
; with a desktop shortcut unless /NODESKTOP is given; the uninstaller takes /S too,
; and for an all-users copy asks Windows for the rights itself (un.ElevateForAllUsers).
;   makensis -INPUTCHARSET UTF8 -DVERSION=… -DVERSION4=… -DPUBLISHER=… -DSTAGE=…
;            -DICON=… -DOUTFILE=… -DSIZE_KB_WIN64=… -DSIZE_KB_WIN32=… rebar-weight.nsi
; STAGE holds the notices, win64/rebar-weight.exe and win32/rebar-weight.exe.
; -DMACHINE_FROM_COMMAND_LINE makes a test build that takes the machine from
; /Machine=AMD64|ARM64|IA32 and the Windows build from /Build=<number>, so the choice
; for a machine Wine cannot be can still be run; -DPRIVILEGES_FROM_COMMAND_LINE makes
; it and its uninstaller take the account's rights from /Privileges=Admin|Power|User
; (ReadRights), and its uninstaller stand a refused UAC prompt for its restart with
; /Elevation=refused and write each restart to the file /ElevationLog= names
; (un.ElevateForAllUsers), since Wine runs everything with full rights. The shipped
; installer reads no such switch.
; Exit status: 0 done; 1 cancelled and 2 stopped, as NSIS sets them; 3 Windows too old;
; 4 the program running or its file in use; 5 all users asked for without
; administrator rights: a silent install ends before writing anything, and the
; uninstaller, when it got none (the UAC prompt refused or failing), leaves the
; all-users copy in place.
Unicode true
; A 32-bit stub, so that a 32-bit Windows can start it; 64-bit Windows start it as a
; WOW64 process. As one, $PROGRAMFILES is Program Files (x86) and HKLM\Software is
; redirected to WOW6432Node: MULTIUSER_USE_PROGRAMFILES64 and SetRegView 64 keep the
; all-users folder and every registry entry where a 64-bit installer puts them.
Target x86-unicode
ManifestDPIAware true

!define APP_NAME "钢筋重量计算"
!define APP_EXE "rebar-weight.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\RebarWeight"
; The class of the program's window, in this release and in release 1.00.
!define WINDOW_CLASS "RebarWeightForm1"

; "Standard": the installer asks Windows for no elevation (RequestExecutionLevel user).
; An administrator who starts it "as administrator" is offered all users.
!define MULTIUSER_EXECUTIONLEVEL Standard
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_INSTDIR "${APP_NAME}"
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_FUNCTION InstallModeChanged
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!include "MultiUser.nsh"
!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "WinVer.nsh"
!include "FileFunc.nsh"
!include "x64.nsh"

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
; The program itself comes from win64/ or win32/, as ChooseProgram picked.
!macro PROGRAM_FILES action
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

; Stops with a message (and, silent, with exit status 4) while the program runs or its
; file in $INSTDIR is in use, so that nothing fails halfway on a file in use. The
; program is known by its window's class, never by a title: File Explorer open on the
; install folder, or a browser, shows a window titled 钢筋重量计算 too. A program file
; that cannot be opened for writing is in use whatever holds it, a copy running in
; another session, whose window this one cannot find, included. $INSTDIR must be set,
; and writable by this process when free: the uninstaller of an all-users copy checks
; only once it has administrator rights.
!macro STOP_WHILE_RUNNING un
Function ${un}StopWhileRunning
    again:
    StrCpy $9 0
    retry:
        FindWindow $0 "${WINDOW_CLASS}"
        ${If} $0 = 0
        ${AndIf} ${FileExists} "$INSTDIR\${APP_EXE}"
            ; GENERIC_WRITE with every kind of sharing, OPEN_EXISTING: fails with a
            ; sharing violation (32) only where another opener keeps writers out, as
            ; Windows does for a running program. Any other failure (no rights to the
            ; folder, a read-only file) is no running program: the writing later says so.
            System::Call 'kernel32::CreateFileW(w "$INSTDIR\${APP_EXE}", i 0x40000000, i 7, p 0, i 3, i 0, p 0) p .r1 ?e'
            Pop $2
            ${If} $1 = -1
            ${AndIf} $2 = 32
                ; A program closed a moment ago lets go of its file only as its process
                ; ends, after its window is gone: up to 3 s for that, before the file
                ; counts as in use.
                ${If} $9 < 6
                    IntOp $9 $9 + 1
                    Sleep 500
                    Goto retry
                ${EndIf}
                StrCpy $0 1
            ${ElseIf} $1 <> -1
                System::Call 'kernel32::CloseHandle(p r1)'
            ${EndIf}
        ${EndIf}
        ${If} $0 <> 0
            MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
                "钢筋重量计算正在运行。请先关闭它，再点“重试”。" /SD IDCANCEL IDRETRY again
            SetErrorLevel 4
            Quit
        ${EndIf}
FunctionEnd
!macroend
!insertmacro STOP_WHILE_RUNNING ""
!insertmacro STOP_WHILE_RUNNING "un."

; What MultiUser.nsh says in a box when the account lacks the rights a mode needs, in
; Chinese (it has only English). At the "Standard" level only the all-users one can
; come, defined where MULTIUSER_INIT and MULTIUSER_UNINIT are inserted; the other two
; belong to the Admin and Power levels. <action> is 安装 or 卸载.
!macro MULTIUSER_TEXTS action
    !define /redef MULTIUSER_INIT_TEXT_ADMINREQUIRED "${APP_NAME}${action}程序需要管理员权限。"
    !define /redef MULTIUSER_INIT_TEXT_POWERREQUIRED \
        "${APP_NAME}${action}程序至少需要高级用户（Power Users）的权限。"
!macroend

; $Rights: the account's rights as MultiUser.nsh reads them, UserInfo's account type
; (Admin, Power, User or Guest; an administrator's UAC-filtered account reads as User).
; The test build takes them from /Privileges= on the command line, in $R0, when given.
Var Rights
!macro READ_RIGHTS un
Function ${un}ReadRights
    UserInfo::GetAccountType
    Pop $Rights
!ifdef PRIVILEGES_FROM_COMMAND_LINE
    ; The test build: /Privileges= stands for what UserInfo reports.
    Push $R1
    ClearErrors
    ${${un}GetOptions} $R0 "/Privileges=" $R1
    ${IfNot} ${Errors}
        StrCpy $Rights $R1
    ${EndIf}
    Pop $R1
!endif
FunctionEnd
!macroend
!insertmacro READ_RIGHTS ""
!insertmacro READ_RIGHTS "un."

; The uninstaller of an all-users copy (its entry runs it with /AllUsers) needs
; administrator rights, and Windows starts it without them: the uninstaller asks for
; none (RequestExecutionLevel user), and an administrator's UAC-filtered account reads
; as "User". Then it starts its own file again with the "runas" verb, for which
; Windows asks for the rights, with /AllUsers, /S when silent, /Elevated and
; _?=$INSTDIR, waits for it and ends with its status. Its own file is the copy of
; uninstall.exe that NSIS runs from a temporary folder; told the folder with _?=, the
; new one runs from there as it is, rather than copying itself again and ending at
; once, so it can be waited for, and it can remove $INSTDIR\uninstall.exe and the
; folder, which an uninstaller running from $INSTDIR could not. If the new one does
; not start (the prompt refused, or UAC unable to give the rights), or is that one
; (/Elevated) and still has none, it says so, changes nothing and ends with status 5.
; A per-user copy needs no rights: nothing is asked.
Function un.ElevateForAllUsers
    ${un.GetParameters} $R0
    ClearErrors
    ${un.GetOptions} $R0 "/AllUsers" $R1
    ${If} ${Errors}
        Return
    ${EndIf}
    Call un.ReadRights
    ; What MultiUser.nsh takes as enough for all users.
    ${If} $Rights == "Admin"
    ${OrIf} $Rights == "Power"
        Return
    ${EndIf}
    ClearErrors
    ${un.GetOptions} $R0 "/Elevated" $R1
    ${If} ${Errors}
        StrCpy $R1 "/AllUsers"
        ${If} ${Silent}
            StrCpy $R1 "$R1 /S"
        ${EndIf}
        ; _?= comes last and unquoted: NSIS takes the rest of the line as the folder.
        StrCpy $R1 "$R1 /Elevated _?=$INSTDIR"
        Call un.RunElevated
        ${If} $R2 != ""
            SetErrorLevel $R2
            Quit
        ${EndIf}
    ${EndIf}
    MessageBox MB_OK|MB_ICONSTOP \
        "这份${APP_NAME}是为这台电脑的所有用户安装的，卸载它需要管理员权限。未能取得管理员权限，没有卸载任何内容。" \
        /SD IDOK
    SetErrorLevel 5
    Quit
FunctionEnd

; Starts this uninstaller's own file with the switches in $R1 through ShellExecuteEx
; and the "runas" verb, waits for it and sets $R2 to its exit status, or to "" when
; it did not start. SHELLEXECUTEINFOW: cbSize, fMask (SEE_MASK_NOCLOSEPROCESS, and
; SEE_MASK_FLAG_NO_UI: the message above is the one shown), hwnd, lpVerb, lpFile,
; lpParameters, lpDirectory (the system folder: not $INSTDIR, which the new one
; removes and could not as its current folder), nShow, hInstApp, lpIDList, lpClass,
; hkeyClass, dwHotKey, hIcon, hProcess.
Function un.RunElevated
    StrCpy $R2 ""
!ifdef PRIVILEGES_FROM_COMMAND_LINE
    ; The test build: every start is written to the file /ElevationLog= names, and
    ; /Elevation=refused stands for the UAC prompt answered "no", where ShellExecuteEx
    ; fails with ERROR_CANCELLED and starts nothing.
    ClearErrors
    ${un.GetOptions} $R0 "/ElevationLog=" $R3
    ${IfNot} ${Errors}
        FileOpen $R4 $R3 a
        FileSeek $R4 0 END
        FileWriteUTF16LE $R4 "runas|$EXEPATH|$R1$\r$\n"
        FileClose $R4
    ${EndIf}
    ClearErrors
    ${un.GetOptions} $R0 "/Elevation=" $R3
    ${If} $R3 == "refused"
        Return
    ${EndIf}
!endif
    System::Call '*(&l4, i 0x440, p $HWNDPARENT, w "runas", w "$EXEPATH", w R1, w "$SYSDIR", i 1, p, p, p, p, i, p, p) p .R3'
    System::Call 'shell32::ShellExecuteExW(p R3) i .R4'
    ${If} $R4 <> 0
        System::Call '*$R3(i, i, p, p, p, p, p, i, p, p, p, p, i, p, p .R5)'
        ${If} $R5 <> 0
            System::Call 'kernel32::WaitForSingleObject(p R5, i -1)'
            System::Call 'kernel32::GetExitCodeProcess(p R5, *i .R2)'
            System::Call 'kernel32::CloseHandle(p R5)'
        ${Else}
            ; Started, with no process to wait for: not a refusal.
            StrCpy $R2 0
        ${EndIf}
    ${EndIf}
    System::Free $R3
FunctionEnd

; The machine Windows runs on, $Machine (AMD64, ARM64 or IA32, as IsWow64Process2
; reports it through x64.nsh), and the Windows build, $Build.
Var Machine
Var Build
; The program ChooseProgram picks: win64 or win32.
Var Program

Function ReadMachine
    ${If} ${IsNativeAMD64}
        StrCpy $Machine AMD64
    ${ElseIf} ${IsNativeARM64}
        StrCpy $Machine ARM64
    ${ElseIf} ${IsNativeIA32}
        StrCpy $Machine IA32
    ${Else}
        StrCpy $Machine other
    ${EndIf}
    ${WinVerGetBuild} $Build
!ifdef MACHINE_FROM_COMMAND_LINE
    ; The test build: /Machine= and /Build= stand for what Windows would report.
    ${GetParameters} $2
    ClearErrors
    ${GetOptions} $2 "/Machine=" $3
    ${IfNot} ${Errors}
        StrCpy $Machine $3
    ${EndIf}
    ClearErrors
    ${GetOptions} $2 "/Build=" $3
    ${IfNot} ${Errors}
        StrCpy $Build $3
    ${EndIf}
!endif
FunctionEnd

; The 64-bit program where Windows runs 64-bit x86 code: on 64-bit x86 Windows, and on
; Windows 11 on Arm (build 22000 on), which emulates x64 programs. There it is the
; program every other 64-bit PC gets, and the one release 1.00 installed there, so an
; upgrade keeps the kind of program already installed. Everywhere else the 32-bit one:
; 32-bit Windows, and Windows 10 on Arm, which emulates 32-bit x86 programs only. This
; installer is itself 32-bit x86 code, so any Windows that runs it runs the 32-bit
; program. (RunningX64 does not tell these apart: it is true on Arm64 as well.)
Function ChooseProgram
    StrCpy $Program win32
    ${If} $Machine == AMD64
        StrCpy $Program win64
    ${ElseIf} $Machine == ARM64
    ${AndIf} $Build >= 22000
        StrCpy $Program win64
    ${EndIf}
FunctionEnd

; MultiUser.nsh calls this once it has set $INSTDIR for a mode. For all users it is
; Program Files as 64-bit Windows sees it (MULTIUSER_USE_PROGRAMFILES64; on 32-bit
; Windows simply Program Files); the 32-bit program on Windows 10 on Arm belongs in
; Program Files (x86), where Windows keeps the x86 programs it emulates. A folder read
; from an earlier install's entry stays as it is.
Function InstallModeChanged
    ${If} $MultiUser.InstallMode == "AllUsers"
    ${AndIf} $MultiUser.InstDir == ""
    ${AndIf} $Program == win32
    ${AndIf} $Machine == ARM64
        StrCpy $INSTDIR "$PROGRAMFILES32\${APP_NAME}"
    ${EndIf}
FunctionEnd

; /S with /AllUsers from an account without the rights MultiUser.nsh asks for all
; users (neither Admin nor Power): MultiUser.nsh would say so in a box that has no
; silent default, and a silent deployment would wait on it, unseen. The run ends here
; instead, before MULTIUSER_INIT, with exit status 5 and nothing written. /AllUsers is
; looked for as MultiUser.nsh looks for it: anywhere on the command line, in any case.
; A run that is shown goes on to MultiUser.nsh's box, which tells the user.
Function EndSilentAllUsersWithoutRights
    ${IfNot} ${Silent}
        Return
    ${EndIf}
    ${GetParameters} $R0
    ${StrStr} $R1 $R0 "/AllUsers"
    ${If} $R1 == ""
        Return
    ${EndIf}
    Call ReadRights
    ${If} $Rights != "Admin"
    ${AndIf} $Rights != "Power"
        SetErrorLevel 5
        Quit
    ${EndIf}
FunctionEnd

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
            "钢筋重量计算需要 Windows 7 SP1 或更新的 Windows，无法安装在这台电脑的 Windows 上。" /SD IDOK
        SetErrorLevel 3
        Quit
    ${EndIf}
    Call ReadMachine
    Call ChooseProgram

    Call EndSilentAllUsersWithoutRights
    !insertmacro MULTIUSER_TEXTS 安装
    !define /redef MULTIUSER_INIT_TEXT_ALLUSERSNOTPOSSIBLE \
        "您的账户没有足够的权限，无法为这台电脑的所有用户安装${APP_NAME}。"
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
    ; The folder is settled: the program there must not be running.
    Call StopWhileRunning

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
    Call un.ElevateForAllUsers
    Call un.StopWhileRunning
    !insertmacro MULTIUSER_TEXTS 卸载
    !define /redef MULTIUSER_INIT_TEXT_ALLUSERSNOTPOSSIBLE \
        "您的账户没有足够的权限，无法卸载为这台电脑的所有用户安装的${APP_NAME}。"
    !insertmacro MULTIUSER_UNINIT
FunctionEnd

Function CreateDesktopShortcut
    CreateShortcut "$DESKTOP\${APP_NAME}.lnk" "$INSTDIR\${APP_EXE}" "" "$INSTDIR\${APP_EXE}" 0
FunctionEnd

Section "${APP_NAME}"
    SetOutPath "$INSTDIR"
    !insertmacro OLD_FILES "${REMOVE_FILE}"
    ${If} $Program == win64
        File "/oname=${APP_EXE}" "${STAGE}/win64/${APP_EXE}"
        StrCpy $6 ${SIZE_KB_WIN64}
    ${Else}
        File "/oname=${APP_EXE}" "${STAGE}/win32/${APP_EXE}"
        StrCpy $6 ${SIZE_KB_WIN32}
    ${EndIf}
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
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $6
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    Delete "$SMPROGRAMS\${APP_NAME}.lnk"
    Delete "$DESKTOP\${APP_NAME}.lnk"
    Delete "$INSTDIR\${APP_EXE}"
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
