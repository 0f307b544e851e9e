; The Windows installer of tecris2quillo: both programs, the Japanese README and the examples,
; for the current user (no administrator rights needed) or for every user of the machine, with
; Start-menu shortcuts, an uninstaller, and the pattern data folder setting written at once.
;
; makensis -DVERSION=x.y.z -DSTAGE=<folder with the packed files> -DOUTFILE=<setup.exe> installer.nsi
; Silent: tecris2quillo-setup.exe /S [/CurrentUser | /AllUsers] [/PATDAT=フォルダ] [/D=インストール先]

; A 64-bit installer for the 64-bit programs; it also runs where no 32-bit support is installed.
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma

!define PRODUCT "tecris2quillo"
!define PRODUCT_CAPTION "TECRIS -> Quillo 変換プログラム"
!define SHORTCUT_NAME "TECRIS to Quillo 変換プログラム"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "${PRODUCT}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "Software\${PRODUCT}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallFolder"
!include MultiUser.nsh
!include MUI2.nsh
!include nsDialogs.nsh
!include LogicLib.nsh
!include FileFunc.nsh

Name "${PRODUCT_CAPTION}"
Caption "${PRODUCT} ${VERSION} のセットアップ"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"

Var PatternFolder
Var PatternBox

!define MUI_ABORTWARNING
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
Page custom PatternFolderPage PatternFolderPageLeave
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\tecris2quillo-gui.exe"
!define MUI_FINISHPAGE_RUN_TEXT "${PRODUCT_CAPTION} を起動する"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\README.txt"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "README.txt を表示する"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

Function .onInit
  ; The folder of /D= is the one to use; the install mode would otherwise replace it by its own.
  StrCpy $1 $INSTDIR
  !insertmacro MULTIUSER_INIT
  ${If} $1 != ""
    StrCpy $INSTDIR $1
  ${EndIf}
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/PATDAT=" $PatternFolder
  ${If} ${Errors}
    StrCpy $PatternFolder ""
  ${EndIf}
  ; A silent installation has no page to correct a folder that does not exist: it stops before
  ; installing anything, with exit code 2.
  ${If} ${Silent}
  ${AndIf} $PatternFolder != ""
  ${AndIfNot} ${FileExists} "$PatternFolder\*.*"
    SetErrorLevel 2
    Quit
  ${EndIf}
FunctionEnd

Function un.onInit
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

; The pattern data folder: written into PatdatV5.ini by the installed converter itself, so the
; window starts at once after the installation.
Function PatternFolderPage
  !insertmacro MUI_HEADER_TEXT "パターンデータフォルダ" "土質パターンの表（KISHITU.TXT など）があるフォルダを指定します。"
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 36u "変換プログラムは、このフォルダの表で土質名をパターンコードに変えます。ここで指定すると、設定ファイル PatdatV5.ini に書き込みます。空のままにすると、設定は変えません（あとで tecris2quillo setup --pattern-folder フォルダ で設定できます）。"
  Pop $0
  ${NSD_CreateDirRequest} 0 44u 78% 13u "$PatternFolder"
  Pop $PatternBox
  ${NSD_CreateBrowseButton} 80% 43u 20% 15u "参照..."
  Pop $0
  ${NSD_OnClick} $0 BrowseForPatternFolder
  nsDialogs::Show
FunctionEnd

Function BrowseForPatternFolder
  ${NSD_GetText} $PatternBox $0
  nsDialogs::SelectFolderDialog "パターンデータフォルダを選んでください。" "$0"
  Pop $0
  ${If} $0 != error
    ${NSD_SetText} $PatternBox "$0"
  ${EndIf}
FunctionEnd

Function PatternFolderPageLeave
  ${NSD_GetText} $PatternBox $PatternFolder
  ${If} $PatternFolder != ""
  ${AndIfNot} ${FileExists} "$PatternFolder\*.*"
    MessageBox MB_ICONEXCLAMATION "フォルダ「$PatternFolder」がありません。"
    Abort
  ${EndIf}
FunctionEnd

Section "Install"
  SetOutPath "$INSTDIR"
  File "${STAGE}\tecris2quillo.exe"
  File "${STAGE}\tecris2quillo-gui.exe"
  File "${STAGE}\README.txt"
  SetOutPath "$INSTDIR\examples"
  File /r "${STAGE}\examples\*.*"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}\${SHORTCUT_NAME}.lnk" "$INSTDIR\tecris2quillo-gui.exe"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}\README.lnk" "$INSTDIR\README.txt"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}\アンインストール.lnk" "$INSTDIR\uninstall.exe" "/$MultiUser.InstallMode"

  WriteRegStr SHCTX "Software\${PRODUCT}" "InstallFolder" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT_CAPTION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tecris2quillo-gui.exe"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1

  ${If} $PatternFolder != ""
    nsExec::Exec '"$INSTDIR\tecris2quillo.exe" setup --pattern-folder "$PatternFolder"'
    Pop $0
    ; 0: written, every table there; 1: written, a table missing (the converter says which).
    ${If} $0 == 0
    ${OrIf} $0 == 1
      DetailPrint "パターンデータフォルダを設定しました: $PatternFolder"
    ${Else}
      DetailPrint "パターンデータフォルダを設定できませんでした: $PatternFolder"
      SetErrorLevel 3
    ${EndIf}
  ${EndIf}
SectionEnd

; The setting file PatdatV5.ini stays: it belongs to the user, and a new installation uses it.
Section "Uninstall"
  Delete "$INSTDIR\tecris2quillo.exe"
  Delete "$INSTDIR\tecris2quillo-gui.exe"
  Delete "$INSTDIR\README.txt"
  RMDir /r "$INSTDIR\examples"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${PRODUCT}\${SHORTCUT_NAME}.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\README.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\アンインストール.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  DeleteRegKey SHCTX "Software\${PRODUCT}"
SectionEnd
