; SPDX-License-Identifier: MIT
; The installer of Kalvotron for 64-bit Windows, for the current user or for
; all users, with a Start-menu entry and an uninstaller listed under "Apps".
; /S installs silently, for all users where it may, /CurrentUser or
; /AllUsers choose, and /D= names the folder. Made by pack.py:
;   makensis -DVERSION=1.2.3 -DICON=<kalvo.ico> -DFILES=<lists> -DCOPYRIGHT=<line> -DOUTFILE=<setup.exe>
; FILES is the folder of install.nsh, uninstall.nsh and folders.nsh: the
; portable folder's files and folders, so that the uninstaller removes
; exactly what was installed.
;
; It never touches what is not its own: it installs only into an empty
; folder or the one its own entry under "Apps" names, and it runs only the
; uninstaller that this entry names.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
; The same bytes from the same files on any day: no file dates kept.
SetDateSave off
ManifestDPIAware true
; A file that cannot be written stops the installation: none is skipped.
AllowSkipFiles off

!define PRODUCT "Kalvotron"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"

; The exit codes of a refusal (1 is NSIS's own: cancelled by the user).
!define EXIT_RUNNING 2       ; Kalvotron runs from the folder
!define EXIT_NO_RIGHTS 3     ; an all-users installation, without administrator rights
!define EXIT_OLDER_KEPT 4    ; the installed version could not be removed
!define EXIT_FOREIGN 5       ; the chosen folder holds files of another program
!define EXIT_INCOMPLETE 6    ; a file could not be written or removed

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "${PRODUCT}"
; A second installation in the same mode takes the place of the first.
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_FUNCTION KeepFolderOfCommandLine
!include MultiUser.nsh
!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh

Name "${PRODUCT}"
OutFile "${OUTFILE}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "CompanyName" "The Kalvo developers"
VIAddVersionKey /LANG=0 "LegalCopyright" "${COPYRIGHT}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE LeaveFolderPage
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "German"

; Whether kalvo.exe in a folder may be changed. A running Kalvotron keeps it
; open to nobody for writing (a sharing violation): the user may close it and
; try again. A folder of all users is closed to a standard user (access
; denied): trying again would not help.
!macro REFUSE_UNLESS_CHANGEABLE PREFIX
Function ${PREFIX}RefuseUnlessChangeable ; the folder
    Exch $R0
    Push $R1
    Push $R2
    retry:
    ${If} ${FileExists} "$R0\kalvo.exe"
        ; GENERIC_WRITE, shared for reading and writing, OPEN_EXISTING
        System::Call 'kernel32::CreateFileW(w "$R0\kalvo.exe", i 0x40000000, i 3, p 0, i 3, i 0x80, p 0) p.R1 ?e'
        Pop $R2
        ${If} $R1 = -1
            ${If} $R2 = 5
                MessageBox MB_OK|MB_ICONSTOP \
                    "Für Kalvotron in $R0 sind Administratorrechte nötig." /SD IDOK
                SetErrorLevel ${EXIT_NO_RIGHTS}
                Quit
            ${EndIf}
            MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
                "Kalvotron läuft noch. Bitte schließen Sie das Programm und wählen Sie dann „Wiederholen“." \
                /SD IDCANCEL IDRETRY retry
            SetErrorLevel ${EXIT_RUNNING}
            Quit
        ${EndIf}
        System::Call 'kernel32::CloseHandle(p R1)'
    ${EndIf}
    Pop $R2
    Pop $R1
    Pop $R0
FunctionEnd
!macroend
!insertmacro REFUSE_UNLESS_CHANGEABLE ""
!insertmacro REFUSE_UNLESS_CHANGEABLE "un."

; /AllUsers without administrator rights: MultiUser would refuse it with a
; dialog of its own, in English, which waits for a click even in a silent
; run. This check is MultiUser's own (the option anywhere on the command
; line, the account type), made first.
!macro REFUSE_ALL_USERS_WITHOUT_RIGHTS PREFIX STRFUNC_PREFIX TEXT
Function ${PREFIX}RefuseAllUsersWithoutRights
    Push $0
    Push $1
    ${GetParameters} $0
    ${${STRFUNC_PREFIX}StrStr} $1 $0 "/AllUsers"
    ${If} $1 != ""
        UserInfo::GetAccountType
        Pop $1
        ${If} $1 != "Admin"
        ${AndIf} $1 != "Power"
            MessageBox MB_OK|MB_ICONSTOP "${TEXT}" /SD IDOK
            SetErrorLevel ${EXIT_NO_RIGHTS}
            Quit
        ${EndIf}
    ${EndIf}
    Pop $1
    Pop $0
FunctionEnd
!macroend
!define ALL_USERS_TEXT "Kalvotron ist für alle Benutzer installiert. Zum Entfernen sind Administratorrechte nötig."
!insertmacro REFUSE_ALL_USERS_WITHOUT_RIGHTS "" "" \
    "Um Kalvotron für alle Benutzer zu installieren, sind Administratorrechte nötig."
!insertmacro REFUSE_ALL_USERS_WITHOUT_RIGHTS "un." Un "${ALL_USERS_TEXT}"

; The folder of the installation that this mode's entry under "Apps" names.
Function RegisteredFolder
    Push $0
    ReadRegStr $0 SHCTX "${UNINSTALL_KEY}" "InstallLocation"
    Exch $0
FunctionEnd

; /D= chooses the folder; MultiUser would put its default in its place.
Var FolderOfCommandLine

Function .onInit
    StrCpy $FolderOfCommandLine $INSTDIR
    Call RefuseAllUsersWithoutRights
    !insertmacro MULTIUSER_INIT
FunctionEnd

Function KeepFolderOfCommandLine
    ${If} $FolderOfCommandLine != ""
        StrCpy $INSTDIR $FolderOfCommandLine
    ${EndIf}
FunctionEnd

; 1 where $INSTDIR holds anything and is not our registered installation:
; installing there would overwrite, and uninstalling delete, files of others.
Function IsForeignFolder
    Push $0
    Push $1
    Call RegisteredFolder
    Pop $0
    StrCpy $1 0
    ${If} $0 != $INSTDIR
        FindFirst $0 $1 "$INSTDIR\*"
        ${Do}
            ${If} $1 != "."
            ${AndIf} $1 != ".."
                ${ExitDo}
            ${EndIf}
            FindNext $0 $1
        ${Loop}
        FindClose $0
        ${If} $1 != ""
            StrCpy $1 1
        ${Else}
            StrCpy $1 0
        ${EndIf}
    ${EndIf}
    Exch $1
    Exch
    Pop $0
FunctionEnd

!define FOREIGN_FOLDER_TEXT "In $INSTDIR liegen schon andere Dateien. Bitte wählen Sie einen leeren Ordner."

Function LeaveFolderPage
    Call IsForeignFolder
    Pop $0
    ${If} $0 = 1
        MessageBox MB_OK|MB_ICONEXCLAMATION "${FOREIGN_FOLDER_TEXT}"
        Abort
    ${EndIf}
FunctionEnd

; The installed version goes first, by its own uninstaller, wherever it is,
; so that none of its files stays behind: the entry under "Apps" is the
; proof that the folder it names is ours, whole or half removed. Where
; nothing is registered, nothing is removed.
Function RemoveRegisteredInstallation
    Call RegisteredFolder
    Pop $0
    ${If} $0 == ""
        Return
    ${EndIf}
    ${If} ${FileExists} "$0\uninstall.exe"
        Push $0
        Call RefuseUnlessChangeable
        ExecWait '"$0\uninstall.exe" /$MultiUser.InstallMode /S _?=$0' $1
        ${If} $1 != 0
            Call RefuseToOrphan
        ${EndIf}
        Delete "$0\uninstall.exe"
        RMDir "$0"
        Return
    ${EndIf}
    RMDir "$0"
    ${If} ${FileExists} "$0\*"
        ; Listed and not empty, but without its uninstaller: what is left
        ; there is not ours to guess at.
        Call RefuseToOrphan
    ${EndIf}
FunctionEnd

; The entry stays, naming what is left ($0), so that it can still be removed.
Function RefuseToOrphan
    MessageBox MB_OK|MB_ICONSTOP "Die vorhandene Installation in $0 ließ sich nicht entfernen." /SD IDOK
    SetErrorLevel ${EXIT_OLDER_KEPT}
    Quit
FunctionEnd

Function WriteEntry
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "The Kalvo developers"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\kalvo.exe"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
FunctionEnd

; A run that stops halfway still leaves an installation that "Apps" lists
; and its uninstaller removes.
Function .onInstFailed
    SetErrorLevel ${EXIT_INCOMPLETE}
FunctionEnd

Section "${PRODUCT}"
    Call IsForeignFolder
    Pop $0
    ${If} $0 = 1
        MessageBox MB_OK|MB_ICONSTOP "${FOREIGN_FOLDER_TEXT}" /SD IDOK
        SetErrorLevel ${EXIT_FOREIGN}
        Quit
    ${EndIf}
    Push $INSTDIR
    Call RefuseUnlessChangeable
    Call RemoveRegisteredInstallation

    ; The uninstaller and the entry first: whatever happens next, they
    ; remove what was written.
    ClearErrors
    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    ${If} ${Errors}
        ; An entry without an uninstaller would list what nobody can remove.
        MessageBox MB_OK|MB_ICONSTOP "Das Deinstallationsprogramm ließ sich in $INSTDIR nicht schreiben." /SD IDOK
        SetErrorLevel ${EXIT_INCOMPLETE}
        Quit
    ${EndIf}
    Call WriteEntry
    !include "${FILES}\install.nsh"
    ; The shortcut starts the program in its own folder.
    SetOutPath "$INSTDIR"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\kalvo.exe"
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; The uninstaller removes the installation it lies in. MultiUser takes the
; folder from the registry, which for an all-users and a per-user
; installation side by side may name the other one: the uninstaller keeps
; its own folder, and the entry under "Apps" and the Start-menu entry are
; its own only where that entry's InstallLocation is this folder.
Var OwnFolder
Var OwnsEntry

Function un.onInit
    StrCpy $OwnFolder $INSTDIR
    Call un.RefuseAllUsersWithoutRights
    !insertmacro MULTIUSER_UNINIT
    StrCpy $OwnsEntry 0
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ReadRegStr $1 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 == $OwnFolder
        ; Without administrator rights MultiUser stays with the current
        ; user, whose entry this is not: change nothing.
        Call un.MultiUser.InstallMode.AllUsers
        ${If} $MultiUser.InstallMode != AllUsers
            MessageBox MB_OK|MB_ICONSTOP "${ALL_USERS_TEXT}" /SD IDOK
            SetErrorLevel ${EXIT_NO_RIGHTS}
            Quit
        ${EndIf}
        StrCpy $OwnsEntry 1
    ${ElseIf} $1 == $OwnFolder
        Call un.MultiUser.InstallMode.CurrentUser
        StrCpy $OwnsEntry 1
    ${EndIf}
    StrCpy $INSTDIR $OwnFolder
    Push $INSTDIR
    Call un.RefuseUnlessChangeable
FunctionEnd

Section "Uninstall"
    ; Kalvotron may have been started since the confirmation page.
    Push $INSTDIR
    Call un.RefuseUnlessChangeable
    ClearErrors
    !include "${FILES}\uninstall.nsh"
    StrCpy $0 0
    IfErrors 0 +2
    StrCpy $0 1
    !include "${FILES}\folders.nsh"
    ${If} $0 = 1
        ; What stays is still listed under "Apps", and can be removed later.
        MessageBox MB_OK|MB_ICONEXCLAMATION "Einige Dateien in $INSTDIR ließen sich nicht entfernen." /SD IDOK
        SetErrorLevel ${EXIT_INCOMPLETE}
        Return
    ${EndIf}
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    ${If} $OwnsEntry == 1
        Delete "$SMPROGRAMS\${PRODUCT}.lnk"
        DeleteRegKey SHCTX "${UNINSTALL_KEY}"
    ${EndIf}
SectionEnd
