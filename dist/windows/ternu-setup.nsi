; The setup program of the Ternu Setup Tool for 64-bit Windows: installs the tool
; for all users, puts it into the Start menu and "Apps & features", and removes
; it again. Made by scripts/windows/installer.sh with Debian's makensis, which
; passes:
;   VERSION          the tool's version (1.05)
;   VERSION_NUMBERS  the same as four numbers (1.5.0.0)
;   BIN              build-win/bin: the programs with what they need to run
;   STAGE            the licence, the notices of what comes from others and the
;                    MinGW runtime DLLs without their debugging information
;   ICON             the tool's icon
;   OUTFILE          the setup program to write
; Every installed file is listed below (TernuFiles): the uninstaller removes
; exactly these, and each user's %APPDATA%\Orvan\SetupTool stays as it is.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!include MUI2.nsh
!include FileFunc.nsh

!define PRODUCT "Ternu Setup Tool"
!define COMPANY "Orvan"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\TernuSetupTool"
!define SHORTCUT "${PRODUCT}.lnk"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
; The 64-bit setup program sees the 64-bit Program Files and registry.
InstallDir "$PROGRAMFILES64\${COMPANY}\${PRODUCT}"
; An installed version is replaced where it is.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

; --- Pages: English or German, after the system's language ----------------------
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}/Licence.txt"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"

LangString SectionProgram ${LANG_ENGLISH} "Ternu Setup Tool"
LangString SectionProgram ${LANG_GERMAN} "Ternu Setup Tool"
LangString SectionDesktop ${LANG_ENGLISH} "Shortcut on the desktop"
LangString SectionDesktop ${LANG_GERMAN} "Verknüpfung auf dem Desktop"
LangString RemovingPrevious ${LANG_ENGLISH} "Removing the installed version"
LangString RemovingPrevious ${LANG_GERMAN} "Die installierte Version wird entfernt"

VIProductVersion ${VERSION_NUMBERS}
VIFileVersion ${VERSION_NUMBERS}
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${COMPANY}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "Copyright 2026 ${COMPANY}"

; --- What is installed -------------------------------------------------------------
; ACTION ROOT FOLDER NAME for each file; FOLDER "" is the installation folder.
!macro TernuFiles ACTION
  !insertmacro ${ACTION} "${BIN}" "" "ternu-setup.exe"
  !insertmacro ${ACTION} "${BIN}" "" "ternu-cli.exe"
  !insertmacro ${ACTION} "${BIN}" "" "qt.conf"
  !insertmacro ${ACTION} "${BIN}" "" "Qt6Core.dll"
  !insertmacro ${ACTION} "${BIN}" "" "Qt6Gui.dll"
  !insertmacro ${ACTION} "${BIN}" "" "Qt6Widgets.dll"
  !insertmacro ${ACTION} "${STAGE}" "" "libstdc++-6.dll"
  !insertmacro ${ACTION} "${STAGE}" "" "libgcc_s_seh-1.dll"
  !insertmacro ${ACTION} "${STAGE}" "" "libwinpthread-1.dll"
  !insertmacro ${ACTION} "${BIN}" "platforms" "qwindows.dll"
  !insertmacro ${ACTION} "${BIN}" "styles" "qwindowsvistastyle.dll"
  !insertmacro ${ACTION} "${BIN}" "imageformats" "qjpeg.dll"
  !insertmacro ${ACTION} "${BIN}" "translations" "qtbase_de.qm"
  !insertmacro ${ACTION} "${BIN}" "translations" "qtbase_es.qm"
  !insertmacro ${ACTION} "${BIN}" "translations" "qtbase_fr.qm"
  !insertmacro ${ACTION} "${BIN}" "translations" "qtbase_it.qm"
  !insertmacro ${ACTION} "${BIN}" "translations" "qtbase_nl.qm"
  !insertmacro ${ACTION} "${BIN}" "Lang" "Dutch.sil"
  !insertmacro ${ACTION} "${BIN}" "Lang" "French.sil"
  !insertmacro ${ACTION} "${BIN}" "Lang" "German.sil"
  !insertmacro ${ACTION} "${BIN}" "Lang" "Italian.sil"
  !insertmacro ${ACTION} "${BIN}" "Lang" "Spanish.sil"
  !insertmacro ${ACTION} "${STAGE}" "" "Licence.txt"
  !insertmacro ${ACTION} "${STAGE}" "" "THIRD-PARTY-NOTICES.txt"
  !insertmacro ${ACTION} "${STAGE}" "Notices" "qt6-base-copyright.txt"
  !insertmacro ${ACTION} "${STAGE}" "Notices" "qt6-translations-copyright.txt"
  !insertmacro ${ACTION} "${STAGE}" "Notices" "gcc-mingw-w64-copyright.txt"
  !insertmacro ${ACTION} "${STAGE}" "Notices" "mingw-w64-copyright.txt"
  !insertmacro ${ACTION} "${STAGE}" "Notices" "LGPL-3.txt"
  !insertmacro ${ACTION} "${STAGE}" "Notices" "GPL-3.txt"
!macroend
!macro InstallFile ROOT FOLDER NAME
  !if "${FOLDER}" == ""
    SetOutPath "$INSTDIR"
    File "${ROOT}/${NAME}"
  !else
    SetOutPath "$INSTDIR\${FOLDER}"
    File "${ROOT}/${FOLDER}/${NAME}"
  !endif
!macroend

!macro RemoveFile ROOT FOLDER NAME
  !if "${FOLDER}" == ""
    Delete "$INSTDIR\${NAME}"
  !else
    Delete "$INSTDIR\${FOLDER}\${NAME}"
  !endif
!macroend

; An installed version (an older one, or this one again) is removed first by its own
; uninstaller, run in its folder, so that no file of it stays behind.
Function RemovePreviousVersion
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  StrCmp $0 "" done
  IfFileExists "$0\uninstall.exe" 0 done
  DetailPrint "$(RemovingPrevious): $0"
  ExecWait '"$0\uninstall.exe" /S _?=$0'
  Delete "$0\uninstall.exe"
  RMDir "$0"
  done:
FunctionEnd

Section "$(SectionProgram)" SectionProgram
  SectionIn RO
  SetShellVarContext all
  Call RemovePreviousVersion

  !insertmacro TernuFiles InstallFile
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${SHORTCUT}" "$INSTDIR\ternu-setup.exe" "" "$INSTDIR\ternu-setup.exe" 0

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${COMPANY}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\ternu-setup.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section /o "$(SectionDesktop)" SectionDesktop
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  CreateShortcut "$DESKTOP\${SHORTCUT}" "$INSTDIR\ternu-setup.exe" "" "$INSTDIR\ternu-setup.exe" 0
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\${SHORTCUT}"
  Delete "$DESKTOP\${SHORTCUT}"
  !insertmacro TernuFiles RemoveFile
  Delete "$INSTDIR\uninstall.exe"
  ; The folders of the list; a folder that still holds something else stays.
  RMDir "$INSTDIR\platforms"
  RMDir "$INSTDIR\styles"
  RMDir "$INSTDIR\imageformats"
  RMDir "$INSTDIR\translations"
  RMDir "$INSTDIR\Lang"
  RMDir "$INSTDIR\Notices"
  RMDir "$INSTDIR"
  ; The maker's folder in Program Files, when nothing else of it is there.
  RMDir "$PROGRAMFILES64\${COMPANY}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
