; The Windows installer of Astrelle, built on Linux with makensis (the build's "installer"
; target, scripts/dev windows-installer). Installs astrelle.scr for all users or for the
; current user, optionally makes it the current screen saver, and registers an uninstaller
; that removes every file it added but keeps the user's settings unless asked.
;
;   makensis -DVERSION=2.0 -DSCR=path/astrelle.scr -DICON=path/astrelle.ico -DOUTFILE=setup.exe astrelle.nsi
;
; Command line of the installer:   /S (silent)  /AllUsers | /CurrentUser  /KeepScreenSaver
; Command line of the uninstaller: /S  /AllUsers | /CurrentUser  /RemoveSettings

!ifndef VERSION | SCR | ICON | OUTFILE
    !error "define VERSION, SCR, ICON and OUTFILE"
!endif

Unicode true
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma

!define PRODUCT "Astrelle"
!define PUBLISHER "Corvane"
!define SCR_NAME "astrelle.scr"
!define UNINSTALLER "Uninstall.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Astrelle"
!define SETTINGS_KEY "Software\Corvane\KRLN_Galaxy"
!define SETTINGS_PARENT "Software\Corvane"
!define DESKTOP_KEY "Control Panel\Desktop"
; SystemParametersInfo: switch the saver on and tell running programs (update the profile,
; broadcast the change).
!define SPI_SETSCREENSAVEACTIVE 17
!define SPIF_UPDATE_AND_SEND 3

Name "${PRODUCT}"
OutFile "${OUTFILE}"
Icon "${ICON}"
UninstallIcon "${ICON}"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey ProductName "${PRODUCT}"
VIAddVersionKey CompanyName "${PUBLISHER}"
VIAddVersionKey FileDescription "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey FileVersion "${VERSION}"
VIAddVersionKey ProductVersion "${VERSION}"
VIAddVersionKey LegalCopyright "Copyright (C) ${PUBLISHER}"

; All users when the account may (Windows asks for elevation), else the current user; the
; choice of an earlier installation is offered again.
!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "${PRODUCT}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallLocation"
!include MultiUser.nsh
!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

Var ScrPath

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC

!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$ScrPath"
!define MUI_FINISHPAGE_RUN_PARAMETERS "/c"
!define MUI_FINISHPAGE_RUN_TEXT "Open the Astrelle settings"
!define MUI_FINISHPAGE_RUN_NOTCHECKED
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; Where the saver goes: for all users beside Windows' own savers, where the Screen Saver
; Settings list always looks; for one user in the installation folder (the list shows it
; once it is the current saver).
!macro ChooseScrPath
    ${If} $MultiUser.InstallMode == "AllUsers"
        StrCpy $ScrPath "$SYSDIR\${SCR_NAME}"
    ${Else}
        StrCpy $ScrPath "$INSTDIR\${SCR_NAME}"
    ${EndIf}
!macroend

Section "Astrelle screen saver (required)" SecProgram
    SectionIn RO
    !insertmacro ChooseScrPath
    SetOutPath "$INSTDIR"
    SetOverwrite on
    ${If} $MultiUser.InstallMode == "AllUsers"
        SetOutPath "$SYSDIR"
    ${EndIf}
    File "/oname=${SCR_NAME}" "${SCR}"
    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"

    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} screen saver"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$ScrPath,0"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}" /$MultiUser.InstallMode'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S /$MultiUser.InstallMode'
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    ${GetSize} "$ScrPath" "/S=0K" $1 $2 $3
    IntOp $0 $0 + $1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Start menu entry (Astrelle Settings)" SecMenu
    CreateShortCut "$SMPROGRAMS\Astrelle Settings.lnk" "$ScrPath" "/c" "$ScrPath" 0
SectionEnd

Section "Make Astrelle the current screen saver" SecCurrent
    WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$ScrPath"
    System::Call 'user32::SystemParametersInfoW(i ${SPI_SETSCREENSAVEACTIVE}, i 1, p 0, i ${SPIF_UPDATE_AND_SEND})'
SectionEnd

Function .onInit
    !insertmacro MULTIUSER_INIT
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/KeepScreenSaver" $1
    ${IfNot} ${Errors}
        !insertmacro UnselectSection ${SecCurrent}
    ${EndIf}
FunctionEnd

; ---- uninstaller ------------------------------------------------------------------------

Section "un.Astrelle screen saver (required)" UnSecProgram
    SectionIn RO
    !insertmacro ChooseScrPath
    ; A saver that runs right now is removed when Windows restarts.
    Delete /REBOOTOK "$ScrPath"
    Delete "$SMPROGRAMS\Astrelle Settings.lnk"
    ; Windows would keep starting a saver that is gone.
    ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${If} $0 == $ScrPath
        DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${EndIf}
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
    Delete "$INSTDIR\${UNINSTALLER}"
    RMDir "$INSTDIR"
SectionEnd

Section /o "un.Remove my Astrelle settings" UnSecSettings
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "${SETTINGS_PARENT}"
SectionEnd

Function un.onInit
    !insertmacro MULTIUSER_UNINIT
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/RemoveSettings" $1
    ${IfNot} ${Errors}
        !insertmacro SelectSection ${UnSecSettings}
    ${EndIf}
FunctionEnd
