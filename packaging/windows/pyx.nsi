; The Windows installer of PYX, made by scripts/windows/package.sh:
;   makensis -DVERSION=x.y.z -DSTAGE=<folder with pyx.exe and its DLLs> -DOUTFILE=<setup.exe>
;            -DFILES_NSH=<the Delete lines of the installed files> pyx.nsi
; A 64-bit installer (it runs where PYX runs, and under a 64-bit-only Wine).
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"

!define APP "PYX"
!define APPNAME "PYX 水平静力载荷数据处理软件"
!define UNINSTKEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\PYX"
!define PROGID "PYX.TestFile"

Name "${APPNAME}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\PYX"
InstallDirRegKey HKLM "Software\PYX" "InstallDir"
BrandingText "PYX ${VERSION}"

!define MUI_ICON "pyx.ico"
!define MUI_UNICON "pyx.ico"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\pyx.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductName" "${APP}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileDescription" "${APPNAME} 安装程序"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "LegalCopyright" "PYX"

; A file type opens with PYX.
!macro Associate EXT
  WriteRegStr HKLM "Software\Classes\${EXT}" "" "${PROGID}"
!macroend
!macro Dissociate EXT
  ReadRegStr $0 HKLM "Software\Classes\${EXT}" ""
  StrCmp $0 "${PROGID}" 0 +2
    DeleteRegKey HKLM "Software\Classes\${EXT}"
!macroend

; The program is installed for every user of the computer: its links too.
Function .onInit
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetShellVarContext all
FunctionEnd

Section "PYX 程序" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  File /r "${STAGE}\*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "$SMPROGRAMS\PYX"
  CreateShortcut "$SMPROGRAMS\PYX\${APPNAME}.lnk" "$INSTDIR\pyx.exe" "" "$INSTDIR\pyx.exe" 0
  CreateShortcut "$SMPROGRAMS\PYX\卸载 PYX.lnk" "$INSTDIR\uninstall.exe"

  WriteRegStr HKLM "Software\Classes\${PROGID}" "" "PYX 试验数据文件"
  WriteRegStr HKLM "Software\Classes\${PROGID}\DefaultIcon" "" '"$INSTDIR\pyx.exe",0'
  WriteRegStr HKLM "Software\Classes\${PROGID}\shell\open\command" "" '"$INSTDIR\pyx.exe" "%1"'
  !insertmacro Associate ".pys"
  !insertmacro Associate ".pyx"
  !insertmacro Associate ".pyw"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

  WriteRegStr HKLM "Software\PYX" "InstallDir" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTKEY}" "DisplayName" "${APPNAME}"
  WriteRegStr HKLM "${UNINSTKEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTKEY}" "Publisher" "PYX"
  WriteRegStr HKLM "${UNINSTKEY}" "DisplayIcon" '"$INSTDIR\pyx.exe",0'
  WriteRegStr HKLM "${UNINSTKEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTKEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTKEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTKEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTKEY}" "NoRepair" 1
SectionEnd

Section "桌面快捷方式" SecDesktop
  CreateShortcut "$DESKTOP\${APPNAME}.lnk" "$INSTDIR\pyx.exe" "" "$INSTDIR\pyx.exe" 0
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} "程序、所需的库与开始菜单项；.pys、.pyx、.pyw 文件用 PYX 打开。"
  !insertmacro MUI_DESCRIPTION_TEXT ${SecDesktop} "在桌面上放一个 PYX 的快捷方式。"
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Section "Uninstall"
  Delete "$DESKTOP\${APPNAME}.lnk"
  RMDir /r "$SMPROGRAMS\PYX"
  !insertmacro Dissociate ".pys"
  !insertmacro Dissociate ".pyx"
  !insertmacro Dissociate ".pyw"
  DeleteRegKey HKLM "Software\Classes\${PROGID}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
  DeleteRegKey HKLM "${UNINSTKEY}"
  DeleteRegKey HKLM "Software\PYX"
  !include "${FILES_NSH}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd
