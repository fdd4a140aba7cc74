; The Windows installer: Tintora's folder (the same as the portable zip's)
; into Program Files for every user, a Start Menu folder Tintora with the
; picture book (Tintora), the picture maker (New picture) and the
; uninstaller, and an uninstaller registered in Apps & features that takes
; all of it away again. The pictures are in the book, and each still starts
; on its own from the install folder. /S installs and uninstalls silently.
; scripts/build-windows runs makensis with these defined:
;   VERSION    the program's version
;   STAGE      the folder to install (the zip's folder)
;   GENERATED  the folder holding files.nsh and unfiles.nsh (what to
;              install and what to take away)
;   ICON       the program's icon
;   OUTFILE    the installer to write
; A 64-bit installer for a 64-bit program: it runs wherever the program can.
Target amd64-unicode
SetCompressor /SOLID lzma
; File times are not stored, so the installer is the same from the same files.
SetDateSave off

!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tintora"

Name "Tintora ${VERSION}"
OutFile "${OUTFILE}"
Icon "${ICON}"
UninstallIcon "${ICON}"
InstallDir "$PROGRAMFILES64\Tintora"
RequestExecutionLevel admin
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "Tintora"
VIAddVersionKey /LANG=0 "FileDescription" "Tintora ${VERSION} installer"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "Tintora developers"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Function .onInit
  SetShellVarContext all
  SetRegView 64
FunctionEnd

Function un.onInit
  SetShellVarContext all
  SetRegView 64
FunctionEnd

; Tintora's Start Menu entries, each started in the install folder (the one
; current when it is created). Earlier versions added one entry per
; picture beside them; an update takes those away, so the folder holds
; these three whatever was installed before.
!define MENU "$SMPROGRAMS\Tintora"
!macro Menu_entries
  Delete "${MENU}\*.lnk"
  CreateDirectory "${MENU}"
  SetOutPath "$INSTDIR"
  CreateShortcut "${MENU}\Tintora.lnk" "$INSTDIR\tintora-book.exe" "" "$INSTDIR\tintora-book.exe" 0 SW_SHOWNORMAL "" "Choose a picture to colour in"
  CreateShortcut "${MENU}\New picture.lnk" "$INSTDIR\tintora-draw.exe" "" "$INSTDIR\tintora-draw.exe" 0 SW_SHOWNORMAL "" "Draw a new picture to colour in"
  CreateShortcut "${MENU}\Uninstall Tintora.lnk" "$INSTDIR\uninstall.exe" "" "$INSTDIR\uninstall.exe" 0 SW_SHOWNORMAL "" "Remove Tintora from this computer"
!macroend

Section "Tintora"
  SetOutPath "$INSTDIR"
  !include "${GENERATED}/files.nsh"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  !insertmacro Menu_entries

  WriteRegStr HKLM "${UNINST_KEY}" "DisplayName" "Tintora"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINST_KEY}" "Publisher" "Tintora developers"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\uninstall.exe,0"
  WriteRegStr HKLM "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINST_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  !include "${GENERATED}/unfiles.nsh"
  ; What the program itself leaves beside a picture (SDL's redirected output).
  Delete "$INSTDIR\stdout.txt"
  Delete "$INSTDIR\stderr.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR\licences"
  RMDir "$INSTDIR"
  Delete "${MENU}\Tintora.lnk"
  Delete "${MENU}\New picture.lnk"
  Delete "${MENU}\Uninstall Tintora.lnk"
  RMDir "${MENU}"
  DeleteRegKey HKLM "${UNINST_KEY}"
SectionEnd
