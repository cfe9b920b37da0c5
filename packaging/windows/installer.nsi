; Tarvel's Windows installer (scripts/package-windows.sh runs makensis on it).
; Pages: welcome, components (64-bit VST 2.x, 32-bit VST 2.x, CLAP where the
; build has it), one folder page for each VST 2.x width, the files being
; copied, and a last page saying where each file went. The uninstaller is
; registered under Add/Remove Programs and removes exactly the files this
; installation put down (their paths are kept in its registry key).
;
; Silent install for managed machines (every switch optional; /D= last):
;   Tarvel-<version>-windows-setup.exe /S [/COMPONENTS=vst64,vst32,clap]
;       [/VST64DIR=folder] [/VST32DIR=folder] [/D=folder of the uninstaller]
; Silent uninstall: "<that folder>\uninstall.exe" /S
;
; Defines given by the packaging script:
;   VERSION    the project's version (three numbers)
;   WIN64_DLL  WIN32_DLL  the two TARVEL.dll files
;   README     the text installed beside the uninstaller
;   CLAP64 CLAP32  the Tarvel.clap files, where the build has them
;   OUT_FILE   the installer to write
Unicode true
; A 64-bit installer: it runs wherever 64-bit hosts do, and it still puts
; the 32-bit library where 32-bit hosts on the same machine look.
Target amd64-unicode
SetCompressor /SOLID lzma
; No time stamps in the payload, so that the same tree gives the same bytes.
SetDateSave off
RequestExecutionLevel admin
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh
!include StrFunc.nsh
${StrStr}

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarvel"

Name "Tarvel ${VERSION}"
OutFile "${OUT_FILE}"
InstallDir "$PROGRAMFILES64\Tarvel"
BrandingText "Tarvel ${VERSION} by Ostrand"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "Tarvel"
VIAddVersionKey "CompanyName" "Ostrand"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "Tarvel ${VERSION} setup"
VIAddVersionKey "LegalCopyright" "Ostrand"

Var Vst64Dir
Var Vst32Dir
Var Report

!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TITLE "Tarvel ${VERSION}"
!define MUI_WELCOMEPAGE_TEXT "Tarvel is an audio effect by Ostrand that records one waveform cycle of its input and replays it once, mixed with the live input.$\r$\n$\r$\nThis installs its VST 2.x plug-in for 64-bit and for 32-bit hosts. Your host looks for plug-ins in the folders its settings name; the next pages let you choose them.$\r$\n$\r$\nClose your hosts before you continue."
!insertmacro MUI_PAGE_WELCOME

!define MUI_PAGE_CUSTOMFUNCTION_LEAVE ComponentsLeave
!insertmacro MUI_PAGE_COMPONENTS

!define MUI_PAGE_HEADER_TEXT "Folder for 64-bit hosts"
!define MUI_PAGE_HEADER_SUBTEXT "Where the 64-bit TARVEL.dll goes."
!define MUI_DIRECTORYPAGE_TEXT_TOP "Choose the folder your 64-bit hosts scan for VST 2.x plug-ins. Common Files\VST2 is where most hosts look unless told otherwise; a host's plug-in settings name the folders it scans."
!define MUI_DIRECTORYPAGE_TEXT_DESTINATION "64-bit VST 2.x folder"
!define MUI_DIRECTORYPAGE_VARIABLE $Vst64Dir
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipUnlessVst64
!insertmacro MUI_PAGE_DIRECTORY

!define MUI_PAGE_HEADER_TEXT "Folder for 32-bit hosts"
!define MUI_PAGE_HEADER_SUBTEXT "Where the 32-bit TARVEL.dll goes."
!define MUI_DIRECTORYPAGE_TEXT_TOP "Choose the folder your 32-bit hosts (and 64-bit hosts that bridge 32-bit plug-ins) scan for VST 2.x plug-ins. Keep it apart from the 64-bit folder: both libraries are named TARVEL.dll."
!define MUI_DIRECTORYPAGE_TEXT_DESTINATION "32-bit VST 2.x folder"
!define MUI_DIRECTORYPAGE_VARIABLE $Vst32Dir
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipUnlessVst32
!insertmacro MUI_PAGE_DIRECTORY

!insertmacro MUI_PAGE_INSTFILES

!define MUI_FINISHPAGE_TITLE "Tarvel ${VERSION} is installed"
!define MUI_FINISHPAGE_TEXT "$Report$\r$\nLet your hosts rescan their plug-ins. Tarvel appears as $\"Tarvel$\" by Ostrand. To remove it, use Add/Remove Programs."
!define MUI_FINISHPAGE_TEXT_LARGE
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; Deletes the files an installation recorded in the uninstall key, then the
; folders it made for them, each once it is empty: for
; the uninstaller, and for an installation over an earlier one, whose folders
; may differ.
!macro RemoveRecordedFiles un
Function ${un}RemoveRecordedFiles
    Push $0
    Push $1
    Push $2
    Push $3
    StrCpy $1 0
    ${Do}
        EnumRegValue $0 HKLM "${UNINSTALL_KEY}" $1
        ${If} $0 == ""
            ${Break}
        ${EndIf}
        IntOp $1 $1 + 1
        StrCpy $2 $0 5
        ${If} $2 == "File:"
            ReadRegStr $0 HKLM "${UNINSTALL_KEY}" $0
            Delete $0
            DetailPrint "Removed $0"
        ${EndIf}
    ${Loop}
    ; A folder empties only once the folders made inside it are gone: one
    ; pass over the values per value, whatever order the registry lists them in.
    StrCpy $3 $1
    ${DoWhile} $3 > 0
        IntOp $3 $3 - 1
        StrCpy $1 0
        ${Do}
            EnumRegValue $0 HKLM "${UNINSTALL_KEY}" $1
            ${If} $0 == ""
                ${Break}
            ${EndIf}
            IntOp $1 $1 + 1
            StrCpy $2 $0 5
            ${If} $2 == "Made:"
                ReadRegStr $0 HKLM "${UNINSTALL_KEY}" $0
                RMDir $0
            ${EndIf}
        ${Loop}
    ${Loop}
    Pop $3
    Pop $2
    Pop $1
    Pop $0
FunctionEnd
!macroend
!insertmacro RemoveRecordedFiles ""
!insertmacro RemoveRecordedFiles "un."

; Records, under KEY, each folder on FOLDER's path that does not exist yet,
; innermost first: installing into FOLDER is about to make them.
;   Push KEY, Push FOLDER, Call RecordMissingFolders
Function RecordMissingFolders
    Exch $0
    Exch
    Exch $1
    Push $2
    StrCpy $2 0
    ${Do}
        ${If} $0 == ""
        ${OrIf} ${FileExists} "$0\*.*"
            ${Break}
        ${EndIf}
        WriteRegStr HKLM "${UNINSTALL_KEY}" "Made:$1:$2" "$0"
        IntOp $2 $2 + 1
        ${GetParent} $0 $0
    ${Loop}
    Pop $2
    Pop $1
    Pop $0
FunctionEnd

; Installs one file as NAME into FOLDER and records it, and the folders made
; for it, under KEY in the uninstall key.
!macro InstallPluginFile KEY SOURCE FOLDER NAME
    Push "${KEY}"
    Push "${FOLDER}"
    Call RecordMissingFolders
    SetOutPath "${FOLDER}"
    File "/oname=${NAME}" "${SOURCE}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "File:${KEY}" "${FOLDER}\${NAME}"
    StrCpy $Report "$Report${FOLDER}\${NAME}$\r$\n"
!macroend

Section "-Earlier installation"
    Call CheckFoldersDiffer
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 != ""
        Delete "$0\README.txt"
        Delete "$0\uninstall.exe"
    ${EndIf}
    Call RemoveRecordedFiles
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    StrCpy $Report "Tarvel's files went to:$\r$\n"
SectionEnd

Section "64-bit VST 2.x" SecVst64
    !insertmacro InstallPluginFile vst64 "${WIN64_DLL}" "$Vst64Dir" "TARVEL.dll"
SectionEnd

Section "32-bit VST 2.x" SecVst32
    !insertmacro InstallPluginFile vst32 "${WIN32_DLL}" "$Vst32Dir" "TARVEL.dll"
SectionEnd

!ifdef CLAP64 | CLAP32
Section "CLAP" SecClap
    ; CLAP hosts look in one folder the format fixes, per width.
  !ifdef CLAP64
    !insertmacro InstallPluginFile clap64 "${CLAP64}" "$COMMONFILES64\CLAP" "Tarvel.clap"
  !endif
  !ifdef CLAP32
    !insertmacro InstallPluginFile clap32 "${CLAP32}" "$COMMONFILES32\CLAP" "Tarvel.clap"
  !endif
SectionEnd
!endif

Section "-Uninstaller"
    Push uninstaller
    Push "$INSTDIR"
    Call RecordMissingFolders
    SetOutPath "$INSTDIR"
    File "/oname=README.txt" "${README}"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Tarvel ${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Ostrand"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" "$\"$INSTDIR\uninstall.exe$\""
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" "$\"$INSTDIR\uninstall.exe$\" /S"
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    StrCpy $Report "$Report$INSTDIR\uninstall.exe (and README.txt)$\r$\n"
    DetailPrint "$Report"
SectionEnd

LangString DESC_Vst64 ${LANG_ENGLISH} "TARVEL.dll for 64-bit hosts (almost every host made today)."
LangString DESC_Vst32 ${LANG_ENGLISH} "TARVEL.dll for 32-bit hosts, and for 64-bit hosts that bridge 32-bit plug-ins."
!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
    !insertmacro MUI_DESCRIPTION_TEXT ${SecVst64} $(DESC_Vst64)
    !insertmacro MUI_DESCRIPTION_TEXT ${SecVst32} $(DESC_Vst32)
!ifdef CLAP64 | CLAP32
    !insertmacro MUI_DESCRIPTION_TEXT ${SecClap} "Tarvel.clap for CLAP hosts, into Common Files\CLAP."
!endif
!insertmacro MUI_FUNCTION_DESCRIPTION_END

; Selects SECTION when NAME is in the comma-separated LIST, clears it if not.
!macro SelectNamedSection LIST NAME SECTION
    ${StrStr} $1 ",${LIST}," ",${NAME},"
    ${If} $1 == ""
        !insertmacro UnselectSection ${SECTION}
    ${Else}
        !insertmacro SelectSection ${SECTION}
    ${EndIf}
!macroend

Function .onInit
    SetRegView 64
    StrCpy $Vst64Dir "$COMMONFILES64\VST2"
    StrCpy $Vst32Dir "$COMMONFILES32\VST2"
    ${GetParameters} $R0
    ClearErrors
    ${GetOptions} $R0 "/VST64DIR=" $R1
    ${IfNot} ${Errors}
        StrCpy $Vst64Dir $R1
    ${EndIf}
    ClearErrors
    ${GetOptions} $R0 "/VST32DIR=" $R1
    ${IfNot} ${Errors}
        StrCpy $Vst32Dir $R1
    ${EndIf}
    ClearErrors
    ${GetOptions} $R0 "/COMPONENTS=" $R1
    ${IfNot} ${Errors}
        !insertmacro SelectNamedSection $R1 vst64 ${SecVst64}
        !insertmacro SelectNamedSection $R1 vst32 ${SecVst32}
!ifdef CLAP64 | CLAP32
        !insertmacro SelectNamedSection $R1 clap ${SecClap}
!endif
        ${IfNot} ${SectionIsSelected} ${SecVst64}
        ${AndIfNot} ${SectionIsSelected} ${SecVst32}
!ifdef CLAP64 | CLAP32
        ${AndIfNot} ${SectionIsSelected} ${SecClap}
!endif
            MessageBox MB_ICONSTOP "/COMPONENTS= names none of vst64, vst32, clap." /SD IDOK
            SetErrorLevel 2
            Quit
        ${EndIf}
    ${EndIf}
FunctionEnd

Function un.onInit
    SetRegView 64
FunctionEnd

Function ComponentsLeave
    ${IfNot} ${SectionIsSelected} ${SecVst64}
    ${AndIfNot} ${SectionIsSelected} ${SecVst32}
!ifdef CLAP64 | CLAP32
    ${AndIfNot} ${SectionIsSelected} ${SecClap}
!endif
        MessageBox MB_ICONEXCLAMATION "Choose at least one component."
        Abort
    ${EndIf}
FunctionEnd

; Both libraries are named TARVEL.dll: one folder cannot hold both.
Function CheckFoldersDiffer
    ${If} ${SectionIsSelected} ${SecVst64}
    ${AndIf} ${SectionIsSelected} ${SecVst32}
    ${AndIf} $Vst64Dir == $Vst32Dir
        MessageBox MB_ICONSTOP "The 64-bit and the 32-bit library need two different folders." /SD IDOK
        SetErrorLevel 2
        Abort
    ${EndIf}
FunctionEnd

Function SkipUnlessVst64
    ${IfNot} ${SectionIsSelected} ${SecVst64}
        Abort
    ${EndIf}
FunctionEnd

Function SkipUnlessVst32
    ${IfNot} ${SectionIsSelected} ${SecVst32}
        Abort
    ${EndIf}
FunctionEnd

Section Uninstall
    ; The uninstaller runs from a copy of itself, so it can delete itself
    ; once the process that started the copy has ended, which it does
    ; without waiting for the copy. Its folder goes with the other folders
    ; the installation made.
    Delete "$INSTDIR\README.txt"
    StrCpy $0 0
    ${Do}
        Delete "$INSTDIR\uninstall.exe"
        ${IfNot} ${FileExists} "$INSTDIR\uninstall.exe"
            ${Break}
        ${EndIf}
        IntOp $0 $0 + 1
        ${If} $0 >= 50
            Delete /REBOOTOK "$INSTDIR\uninstall.exe"
            ${Break}
        ${EndIf}
        Sleep 100
    ${Loop}
    Call un.RemoveRecordedFiles
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
