; The per-user installer of Quenlor. It needs no administrator rights and
; writes only under the user's own profile and HKEY_CURRENT_USER:
;   - the program files in %LOCALAPPDATA%\Programs\Quenlor;
;   - a Start menu shortcut and a Send To shortcut;
;   - the Apps & features entry (Software\Microsoft\Windows\CurrentVersion\Uninstall\Quenlor);
;   - the Explorer commands "Split with Quenlor" (every file that is not a
;     part) and "Join with Quenlor" (part files), both under Software\Classes\*\shell.
; The uninstaller removes exactly these, and the folders and keys above them
; that the installer had to create, when they are empty. The skin that the
; support library remembers (Software\Mobrel\Quenlor) is the user's setting
; and stays.
;
; makensis -DVERSION=1.2.3 -DSTAGE=<folder with the release files>
;          -DICON=<program icon> -DOUTFILE=<setup.exe> Quenlor.nsi

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include "FileFunc.nsh"
!include "LogicLib.nsh"

!define PRODUCT "Quenlor"
!define PUBLISHER "Mobrel"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define VERBS_KEY "Software\Classes\*\shell"
!define SPLIT_VERB "${VERBS_KEY}\${PRODUCT}.Split"
!define JOIN_VERB "${VERBS_KEY}\${PRODUCT}.Join"
; Part files: the extension begins with .QuenlorSp (the program decides the
; rest from the name it is given).
!define PART_CONDITION 'System.FileExtension:~<".QuenlorSp"'
; The class of the running program's application window.
!define WINDOW_CLASS "QuenlorApplication"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
Icon "${ICON}"
UninstallIcon "${ICON}"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) 2026 ${PUBLISHER}"
VIAddVersionKey /LANG=1033 "OriginalFilename" "${PRODUCT}-${VERSION}-win64-setup.exe"

Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; Files in use cannot be replaced or removed: the installer and the
; uninstaller stop with exit code 2 while Quenlor runs (a silent run says
; nothing else), and an interactive run asks the user to close it first.
!macro REFUSE_WHILE_RUNNING
  ${Do}
    FindWindow $0 "${WINDOW_CLASS}"
    ${IfThen} $0 == 0 ${|} ${ExitDo} ${|}
    ${IfNot} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${PRODUCT} is running. Close it, then choose Retry." /SD IDCANCEL IDRETRY`
      SetErrorLevel 2
      Quit
    ${EndIf}
  ${Loop}
!macroend

; Records, as values of the uninstall entry, what the install creates above
; its own keys and folder, so that the uninstaller removes it again (when
; nothing else has been put there since) and nothing else. What an earlier
; install created stays recorded: its uninstaller, run in place, cannot
; remove the folders that hold it.
Var CreatedClasses
Var CreatedAllFiles
Var CreatedVerbs
Var CreatedUninstall
Var CreatedPrograms

!macro NOTE_MISSING_KEY var key
  ClearErrors
  EnumRegKey $0 HKCU "${key}" 0
  ${If} ${Errors}
    StrCpy ${var} 1
  ${EndIf}
!macroend

!macro READ_CREATED var name
  ReadRegDWORD ${var} HKCU "${UNINSTALL_KEY}" "${name}"
  ${IfThen} ${var} != 1 ${|} StrCpy ${var} 0 ${|}
!macroend

Function ReadCreatedParents
  !insertmacro READ_CREATED $CreatedClasses "CreatedClasses"
  !insertmacro READ_CREATED $CreatedAllFiles "CreatedAllFiles"
  !insertmacro READ_CREATED $CreatedVerbs "CreatedVerbs"
  !insertmacro READ_CREATED $CreatedUninstall "CreatedUninstall"
  !insertmacro READ_CREATED $CreatedPrograms "CreatedPrograms"
FunctionEnd

Function NoteMissingParents
  !insertmacro NOTE_MISSING_KEY $CreatedClasses "Software\Classes"
  !insertmacro NOTE_MISSING_KEY $CreatedAllFiles "Software\Classes\*"
  !insertmacro NOTE_MISSING_KEY $CreatedVerbs "${VERBS_KEY}"
  !insertmacro NOTE_MISSING_KEY $CreatedUninstall "Software\Microsoft\Windows\CurrentVersion\Uninstall"
  ${IfNot} ${FileExists} "$LOCALAPPDATA\Programs\*.*"
    StrCpy $CreatedPrograms 1
  ${EndIf}
FunctionEnd

; An earlier install (of this or another version) is removed first by its
; own uninstaller, run in place and waited for, so that an upgrade leaves
; one entry and none of the earlier version's files.
Function RemovePreviousInstall
  ReadRegStr $1 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $1 == ""
  ${OrIfNot} ${FileExists} "$1\Uninstall.exe"
    Return
  ${EndIf}
  ClearErrors
  ExecWait '"$1\Uninstall.exe" /S _?=$1' $2
  ${If} ${Errors}
  ${OrIf} $2 != 0
    DetailPrint "The earlier install in $1 could not be removed."
    SetErrorLevel 3
    Quit
  ${EndIf}
  ; Run in place, the uninstaller cannot remove itself.
  Delete "$1\Uninstall.exe"
  RMDir "$1"
FunctionEnd

Function WriteVerb
  ; $R0: key, $R1: text, $R2: condition
  WriteRegStr HKCU "$R0" "" "$R1"
  WriteRegStr HKCU "$R0" "Icon" "$INSTDIR\${PRODUCT}.exe,0"
  WriteRegStr HKCU "$R0" "AppliesTo" "$R2"
  WriteRegStr HKCU "$R0\command" "" '"$INSTDIR\${PRODUCT}.exe" "%1"'
FunctionEnd

Section "Install"
  !insertmacro REFUSE_WHILE_RUNNING
  Call ReadCreatedParents
  Call RemovePreviousInstall
  Call NoteMissingParents

  SetOutPath "$INSTDIR"
  File "${STAGE}\Quenlor.exe"
  File "${STAGE}\Mobrel.dll"
  File "${STAGE}\quenlor-cli.exe"
  File "${STAGE}\README.txt"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${PRODUCT}.exe" "" "$INSTDIR\${PRODUCT}.exe" 0
  CreateShortCut "$SENDTO\${PRODUCT}.lnk" "$INSTDIR\${PRODUCT}.exe" "" "$INSTDIR\${PRODUCT}.exe" 0

  StrCpy $R0 "${SPLIT_VERB}"
  StrCpy $R1 "Split with ${PRODUCT}"
  StrCpy $R2 'NOT ${PART_CONDITION}'
  Call WriteVerb
  StrCpy $R0 "${JOIN_VERB}"
  StrCpy $R1 "Join with ${PRODUCT}"
  StrCpy $R2 '${PART_CONDITION}'
  Call WriteVerb

  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PRODUCT}.exe,0"
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "CreatedClasses" $CreatedClasses
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "CreatedAllFiles" $CreatedAllFiles
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "CreatedVerbs" $CreatedVerbs
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "CreatedUninstall" $CreatedUninstall
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "CreatedPrograms" $CreatedPrograms
SectionEnd

; Deletes HKCU\<key> when the install created it (created is 1) and it
; holds neither keys nor values now.
!macro DELETE_KEY_IF_UNUSED created key
  ${If} ${created} == 1
    EnumRegKey $0 HKCU "${key}" 0
    EnumRegValue $1 HKCU "${key}" 0
    ${If} $0 == ""
    ${AndIf} $1 == ""
      DeleteRegKey HKCU "${key}"
    ${EndIf}
  ${EndIf}
!macroend

Section "Uninstall"
  !insertmacro REFUSE_WHILE_RUNNING
  Delete "$INSTDIR\Quenlor.exe"
  Delete "$INSTDIR\Mobrel.dll"
  Delete "$INSTDIR\quenlor-cli.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\Uninstall.exe"
  ; Files the user put there keep the folder.
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$SENDTO\${PRODUCT}.lnk"
  DeleteRegKey HKCU "${SPLIT_VERB}"
  DeleteRegKey HKCU "${JOIN_VERB}"

  ReadRegDWORD $R0 HKCU "${UNINSTALL_KEY}" "CreatedClasses"
  ReadRegDWORD $R1 HKCU "${UNINSTALL_KEY}" "CreatedAllFiles"
  ReadRegDWORD $R2 HKCU "${UNINSTALL_KEY}" "CreatedVerbs"
  ReadRegDWORD $R3 HKCU "${UNINSTALL_KEY}" "CreatedUninstall"
  ReadRegDWORD $R4 HKCU "${UNINSTALL_KEY}" "CreatedPrograms"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  !insertmacro DELETE_KEY_IF_UNUSED $R2 "${VERBS_KEY}"
  !insertmacro DELETE_KEY_IF_UNUSED $R1 "Software\Classes\*"
  !insertmacro DELETE_KEY_IF_UNUSED $R0 "Software\Classes"
  !insertmacro DELETE_KEY_IF_UNUSED $R3 "Software\Microsoft\Windows\CurrentVersion\Uninstall"
  ${If} $R4 == 1
    RMDir "$LOCALAPPDATA\Programs"
  ${EndIf}
SectionEnd
