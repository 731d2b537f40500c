; Setup for Velocine: installs the program and its language files, tells the
; program where they are and which language to show, and leaves an
; uninstaller that takes everything away again except the user's backup of
; the original connection settings.
;
; The build passes:
;   VELOCINE_EXE   the program to install
;   VELOCINE_ICON  the program's icon, setup's and the uninstaller's too
;   LANG_DIR       the folder with the language files and their flags
;   OUTFILE        the setup program to write
;   TARGET         (only for the 64-bit twin that tests setup on hosts that
;                  cannot run 32-bit code) amd64-unicode
;
; ANSI on purpose, like the program: setup has to run on Windows 95, 98 and Me.

!ifdef TARGET
  Target ${TARGET}
!else
  Unicode false
!endif
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "nsDialogs.nsh"
!include "LogicLib.nsh"
!include "Languages.nsh"

!getdllversion "${VELOCINE_EXE}" VERSION_
!define VERSION "${VERSION_1}.${VERSION_2}.${VERSION_3}.${VERSION_4}"

!define SETTINGS_KEY "Software\Velocine"
!define BACKUP_KEY "Original Settings"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Velocine"
; The language setup spoke, for the uninstaller.
!define SPOKEN_LANGUAGE "Setup Language"

Name "Velocine"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\Velocine"
; Installing again goes where the program already is.
InstallDirRegKey HKCU "${SETTINGS_KEY}" "AppPath"
BrandingText "Velocine ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}"
VIAddVersionKey "ProductName" "Velocine"
VIAddVersionKey "FileDescription" "Velocine Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" ""

; The language the program will show; chosen on its own page.
Var ChosenLanguage
; A language file of the user's own chosen before; listed too.
Var OwnLanguage
Var LanguageList
; This Windows's ANSI code page: setup offers a language only where
; Velocine can draw it, and speaks one, and names it as its speakers write
; it, only where the language's code page is this one.
Var AnsiCodePage

; The program's own two small images, not NSIS's icon of nine: setup is
; downloaded over dial-up, and it carries that icon twice (in itself and in
; the uninstaller).
!define MUI_ICON "${VELOCINE_ICON}"
!define MUI_UNICON "${VELOCINE_ICON}"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
Page custom LanguagePage LanguagePageLeave
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\Velocine.exe"
!define MUI_FINISHPAGE_RUN_TEXT "$(StartVelocine)"
!insertmacro MUI_PAGE_FINISH

; NSIS's own word beside the folder ("Wird entfernt aus:") is cut off in
; most languages: a shorter one of ours.
!define MUI_UNCONFIRMPAGE_TEXT_LOCATION "$(UninstallFolder)"
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; Setup's own pages in each shipped language, English first as the one
; every Windows can show.
!macro SetupTexts NAME PRIMARY SETUP_LANGUAGE
  !insertmacro MUI_LANGUAGE "${SETUP_LANGUAGE}"
  !include "Lang\${SETUP_LANGUAGE}.nsh"
!macroend
!insertmacro VELOCINE_LANGUAGES SetupTexts

; --- Language choice ---------------------------------------------------------

!macro IfShipped NAME PRIMARY SETUP_LANGUAGE
  ${If} $ChosenLanguage == "${NAME}"
    StrCpy $1 "${NAME}"  ; the shipped spelling
  ${EndIf}
!macroend

!macro IfSystemLanguage NAME PRIMARY SETUP_LANGUAGE
  ${If} $0 = ${PRIMARY}
    StrCpy $ChosenLanguage "${NAME}"
  ${EndIf}
!macroend

; Leaves in $2 what the list shows for a shipped language: the name its file
; gives itself where the file is written in this Windows's code page, as the
; program's own list does; its file name elsewhere.
!macro ShownName NAME
  StrCpy $2 "${NAME}"
  ReadINIStr $3 "$PLUGINSDIR\${NAME}.ini" "Lanvora" "CodePage"
  ${If} $3 == $AnsiCodePage
    ReadINIStr $3 "$PLUGINSDIR\${NAME}.ini" "Lanvora" "Name"
    ${If} $3 != ""
      StrCpy $2 $3
    ${EndIf}
  ${EndIf}
!macroend

; Velocine is an ANSI program: it shows a language only where this Windows
; can draw its file's bytes, where the code page the file names is this
; one's or where the file is plain ASCII (English names 1252 and reads the
; same everywhere). Setup offers and records no other. Leaves 1 on the stack
; for such a file, 0 otherwise.
Function CanDraw
  Exch $0  ; the file
  Push $1
  Push $2
  ReadINIStr $1 $0 "Lanvora" "CodePage"
  ${If} $1 == $AnsiCodePage
  ${AndIf} $1 != ""
    StrCpy $1 1
  ${Else}
    ; Plain ASCII: no byte above 127, read to the end.
    StrCpy $1 0
    ClearErrors
    FileOpen $0 $0 r
    ${IfNot} ${Errors}
      StrCpy $1 1
      ${Do}
        FileReadByte $0 $2
        ${If} ${Errors}
          ${ExitDo}
        ${EndIf}
        ${If} $2 > 127
          StrCpy $1 0
          ${ExitDo}
        ${EndIf}
      ${Loop}
      FileClose $0
    ${EndIf}
  ${EndIf}
  StrCpy $0 $1
  Pop $2
  Pop $1
  Exch $0
FunctionEnd

; Leaves 1 in $0 when Velocine can draw the language file at PATH.
!macro IfCanDraw PATH
  Push "${PATH}"
  Call CanDraw
  Pop $0
!macroend

!macro ExtractToRead NAME PRIMARY SETUP_LANGUAGE
  File "/oname=$PLUGINSDIR\${NAME}.ini" "${LANG_DIR}\${NAME}.ini"
!macroend

!macro AddToList NAME PRIMARY SETUP_LANGUAGE
  !insertmacro IfCanDraw "$PLUGINSDIR\${NAME}.ini"
  ${If} $0 = 1
    !insertmacro ShownName "${NAME}"
    ${NSD_CB_AddString} $LanguageList $2
    ${If} $ChosenLanguage == "${NAME}"
      StrCpy $4 $2
    ${EndIf}
  ${EndIf}
!macroend

; The list's text back to the language it stands for.
!macro IfShownAs NAME PRIMARY SETUP_LANGUAGE
  !insertmacro ShownName "${NAME}"
  ${If} $2 == $0
    StrCpy $ChosenLanguage "${NAME}"
  ${EndIf}
!macroend

; The language chosen before when it is still there and this Windows can
; draw it: one setup ships, or a language file of the user's own in the
; program's Lang folder. Otherwise the one written for the system's
; language, where this Windows can draw it; otherwise English.
Function ChooseDefaultLanguage
  System::Call "kernel32::GetACP() i .s"
  Pop $AnsiCodePage
  ; Read before any page: which languages are drawable decides the choice.
  InitPluginsDir
  !insertmacro VELOCINE_LANGUAGES ExtractToRead
  ReadRegStr $ChosenLanguage HKCU "${SETTINGS_KEY}" "Language"
  StrCpy $1 ""
  ${If} $ChosenLanguage != ""
    !insertmacro VELOCINE_LANGUAGES IfShipped
    ${If} $1 != ""
      !insertmacro IfCanDraw "$PLUGINSDIR\$1.ini"
      ${If} $0 = 1
        StrCpy $ChosenLanguage $1
        Return
      ${EndIf}
    ${ElseIf} ${FileExists} "$INSTDIR\Lang\$ChosenLanguage.ini"
      !insertmacro IfCanDraw "$INSTDIR\Lang\$ChosenLanguage.ini"
      ${If} $0 = 1
        StrCpy $OwnLanguage $ChosenLanguage
        Return
      ${EndIf}
    ${EndIf}
  ${EndIf}
  StrCpy $ChosenLanguage "English"
  System::Call "kernel32::GetSystemDefaultLangID() i .r0"
  IntOp $0 $0 & 0x3FF
  !insertmacro VELOCINE_LANGUAGES IfSystemLanguage
  !insertmacro IfCanDraw "$PLUGINSDIR\$ChosenLanguage.ini"
  ${If} $0 != 1
    StrCpy $ChosenLanguage "English"
  ${EndIf}
FunctionEnd

Function LanguagePage
  !insertmacro MUI_HEADER_TEXT "$(LanguagePageTitle)" "$(LanguagePageSubtitle)"
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 30u "$(LanguagePageText)"
  Pop $0
  ${NSD_CreateDropList} 0 36u 60% 120u ""
  Pop $LanguageList
  StrCpy $4 $ChosenLanguage
  !insertmacro VELOCINE_LANGUAGES AddToList
  ${If} $OwnLanguage != ""
    ${NSD_CB_AddString} $LanguageList $OwnLanguage
  ${EndIf}
  ${NSD_CB_SelectString} $LanguageList $4
  nsDialogs::Show
FunctionEnd

Function LanguagePageLeave
  ${NSD_GetText} $LanguageList $0
  ${If} $0 != ""
    StrCpy $ChosenLanguage $0
    !insertmacro VELOCINE_LANGUAGES IfShownAs
  ${EndIf}
FunctionEnd

; --- Checks before anything changes ------------------------------------------

; A running Velocine.exe cannot be replaced or removed: ask the user to close
; it. Without anyone to ask (silent mode) setup stops with nothing changed.
!macro WAIT_UNTIL_CLOSED PREFIX
Function ${PREFIX}WaitUntilVelocineClosed
  ${Do}
    FindWindow $0 "#32770" "Velocine"
    ${If} $0 = 0
      ${IfNot} ${FileExists} "$INSTDIR\Velocine.exe"
        Return
      ${EndIf}
      ClearErrors
      FileOpen $0 "$INSTDIR\Velocine.exe" a
      ${IfNot} ${Errors}
        FileClose $0
        Return
      ${EndIf}
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(VelocineRunning)" \
      /SD IDCANCEL IDRETRY continue
    SetErrorLevel 3
    Quit
    continue:
  ${Loop}
FunctionEnd
!macroend
!insertmacro WAIT_UNTIL_CLOSED ""
!insertmacro WAIT_UNTIL_CLOSED "un."

; Velocine changes settings that only an administrator may change, and setup
; writes to Program Files and to the list of installed programs: on the NT
; family a user without administrator rights is told so before anything
; happens. The 95/98/Me family has no such rights; the plug-in answers
; "Admin" there.
!macro REQUIRE_ADMINISTRATOR PREFIX
Function ${PREFIX}RequireAdministrator
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 != "Admin"
    MessageBox MB_OK|MB_ICONSTOP "$(AdministratorNeeded)" /SD IDOK
    SetErrorLevel 4
    Quit
  ${EndIf}
FunctionEnd
!macroend
!insertmacro REQUIRE_ADMINISTRATOR ""
!insertmacro REQUIRE_ADMINISTRATOR "un."

!macro IfSetupSpeaks NAME PRIMARY SETUP_LANGUAGE
  ${If} $ChosenLanguage == "${NAME}"
  ${AndIf} ${LANG_${SETUP_LANGUAGE}_CP} = $AnsiCodePage
    StrCpy $LANGUAGE ${LANG_${SETUP_LANGUAGE}}
  ${EndIf}
!macroend

; Setup speaks the language preselected for Velocine where NSIS has its
; pages in it and this Windows's code page is that language's, since an
; ANSI program shows no other; English elsewhere. Never NSIS's own guess,
; which does not look at the code page.
Function SpeakLanguage
  StrCpy $LANGUAGE ${LANG_ENGLISH}
  !insertmacro VELOCINE_LANGUAGES IfSetupSpeaks
FunctionEnd

; The language first, so that even the word about missing rights is in it.
Function .onInit
  Call ChooseDefaultLanguage
  Call SpeakLanguage
  Call RequireAdministrator
FunctionEnd

; The uninstaller speaks the language setup spoke on this machine, which
; setup has found this Windows can show (and the uninstaller then needs no
; plug-in to find out again).
Function un.onInit
  ClearErrors
  ReadRegDWORD $LANGUAGE HKLM "${UNINSTALL_KEY}" "${SPOKEN_LANGUAGE}"
  ${If} ${Errors}
    StrCpy $LANGUAGE ${LANG_ENGLISH}
  ${EndIf}
  Call un.RequireAdministrator
FunctionEnd

; --- Installing --------------------------------------------------------------

!macro InstallLanguage NAME PRIMARY SETUP_LANGUAGE
  File "${LANG_DIR}\${NAME}.ini"
  File "${LANG_DIR}\${NAME}.bmp"
!macroend

!macro RemoveLanguage NAME PRIMARY SETUP_LANGUAGE
  Delete "$INSTDIR\Lang\${NAME}.ini"
  Delete "$INSTDIR\Lang\${NAME}.bmp"
!macroend

Section "Velocine"
  Call WaitUntilVelocineClosed
  SetOutPath "$INSTDIR"
  File "${VELOCINE_EXE}"
  SetOutPath "$INSTDIR\Lang"
  !insertmacro VELOCINE_LANGUAGES InstallLanguage
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  ; What the program reads at start-up: the folder that holds Lang, and the
  ; language to show. Per user, like the shortcut below.
  WriteRegStr HKCU "${SETTINGS_KEY}" "AppPath" "$INSTDIR"
  WriteRegStr HKCU "${SETTINGS_KEY}" "Language" "$ChosenLanguage"

  CreateDirectory "$SMPROGRAMS\Velocine"
  CreateShortCut "$SMPROGRAMS\Velocine\Velocine.lnk" "$INSTDIR\Velocine.exe"
  CreateShortCut "$SMPROGRAMS\Velocine\Uninstall Velocine.lnk" "$INSTDIR\Uninstall.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Velocine"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Velocine.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "${SPOKEN_LANGUAGE}" $LANGUAGE
SectionEnd

; --- Uninstalling ------------------------------------------------------------

; Whether the program's backup of the original connection settings exists.
Function un.HasBackup
  StrCpy $1 0
  ${Do}
    ClearErrors
    EnumRegKey $0 HKCU "${SETTINGS_KEY}" $1
    ${If} ${Errors}
    ${OrIf} $0 == ""
      Push 0
      Return
    ${EndIf}
    ${If} $0 == "${BACKUP_KEY}"
      Push 1
      Return
    ${EndIf}
    IntOp $1 $1 + 1
  ${Loop}
FunctionEnd

Section "Uninstall"
  Call un.WaitUntilVelocineClosed

  Delete "$SMPROGRAMS\Velocine\Velocine.lnk"
  Delete "$SMPROGRAMS\Velocine\Uninstall Velocine.lnk"
  RMDir "$SMPROGRAMS\Velocine"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"

  ; The values point at this copy; a copy installed elsewhere since keeps
  ; its own.
  ReadRegStr $0 HKCU "${SETTINGS_KEY}" "AppPath"
  ${If} $0 == "$INSTDIR"
    DeleteRegValue HKCU "${SETTINGS_KEY}" "AppPath"
    DeleteRegValue HKCU "${SETTINGS_KEY}" "Language"
  ${EndIf}

  ; The backup is the only way back to the settings Windows had before
  ; Velocine changed them: it stays for a later installation's Reset.
  Call un.HasBackup
  Pop $0
  ${If} $0 = 1
    MessageBox MB_OK|MB_ICONINFORMATION "$(BackupKept)" /SD IDOK
  ${EndIf}
  DeleteRegKey /ifempty HKCU "${SETTINGS_KEY}"

  ; The files last, the uninstaller itself at the very end (but for the
  ; folder it lies in): once it is gone, everything else is done. Whoever
  ; waits for that must not find the Lang folder still being removed, which
  ; Windows shows as a folder that cannot be opened.
  Delete "$INSTDIR\Velocine.exe"
  ; The record of the command-line runs goes with the program.
  Delete "$INSTDIR\Velocine.log"
  !insertmacro VELOCINE_LANGUAGES RemoveLanguage
  ; Only when empty: language files the user added stay.
  RMDir "$INSTDIR\Lang"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd
