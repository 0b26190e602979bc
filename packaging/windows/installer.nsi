; SPDX-License-Identifier: MIT
; The installer of Kalvotron for 64-bit Windows, for the current user or for
; all users, with a Start-menu entry and an uninstaller listed under "Apps".
; /S installs silently, for all users where it may, and /CurrentUser or
; /AllUsers choose. Made by pack.py:
;   makensis -DVERSION=1.2.3 -DICON=<kalvo.ico> -DFILES=<lists> -DCOPYRIGHT=<line> -DOUTFILE=<setup.exe>
; FILES is the folder of install.nsh and uninstall.nsh, the portable
; folder's files, so that the uninstaller removes exactly what was installed.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
; The same bytes from the same files on any day: no file dates kept.
SetDateSave off
ManifestDPIAware true

!define PRODUCT "Kalvotron"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"

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
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "German"

; A running Kalvotron keeps its program file open for writing to nobody:
; while it runs, nothing is changed. Asked to close it, the user may try
; again; a silent run fails with exit code 2.
!macro QUIT_WHILE_RUNNING PREFIX
Function ${PREFIX}QuitWhileRunning
    retry:
    IfFileExists "$INSTDIR\kalvo.exe" 0 done
    ClearErrors
    FileOpen $0 "$INSTDIR\kalvo.exe" a
    IfErrors 0 closed
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
        "Kalvotron läuft noch. Bitte schließen Sie das Programm und wählen Sie dann „Wiederholen“." \
        /SD IDCANCEL IDRETRY retry
    SetErrorLevel 2
    Quit
    closed:
    FileClose $0
    done:
FunctionEnd
!macroend
!insertmacro QUIT_WHILE_RUNNING ""
!insertmacro QUIT_WHILE_RUNNING "un."

Function .onInit
    !insertmacro MULTIUSER_INIT
FunctionEnd

Section "${PRODUCT}"
    Call QuitWhileRunning
    ; An older version here is removed first, by its own uninstaller, so that
    ; none of its files stay behind.
    ${If} ${FileExists} "$INSTDIR\uninstall.exe"
        ExecWait '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S _?=$INSTDIR' $0
        ${If} $0 != 0
            MessageBox MB_OK|MB_ICONSTOP "Die vorhandene Installation in $INSTDIR ließ sich nicht entfernen." /SD IDOK
            SetErrorLevel 2
            Quit
        ${EndIf}
        Delete "$INSTDIR\uninstall.exe"
    ${EndIf}

    !include "${FILES}\install.nsh"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    ; The shortcut starts the program in its own folder.
    SetOutPath "$INSTDIR"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\kalvo.exe"

    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "The Kalvo developers"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\kalvo.exe"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
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
    !insertmacro MULTIUSER_UNINIT
    StrCpy $OwnsEntry 0
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ReadRegStr $1 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 == $OwnFolder
        Call un.MultiUser.InstallMode.AllUsers
        StrCpy $OwnsEntry 1
    ${ElseIf} $1 == $OwnFolder
        Call un.MultiUser.InstallMode.CurrentUser
        StrCpy $OwnsEntry 1
    ${EndIf}
    StrCpy $INSTDIR $OwnFolder
    Call un.QuitWhileRunning
FunctionEnd

Section "Uninstall"
    !include "${FILES}\uninstall.nsh"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    ${If} $OwnsEntry == 1
        Delete "$SMPROGRAMS\${PRODUCT}.lnk"
        DeleteRegKey SHCTX "${UNINSTALL_KEY}"
    ${EndIf}
SectionEnd
