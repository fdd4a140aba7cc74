; The Windows installer: Tintora's folder (the same as the portable zip's)
; into Program Files for every user, a Start Menu entry Tintora that opens
; the picture book and one entry per picture that starts it in that folder (the program reads the picture named after itself
; from its working folder), and an uninstaller registered in Apps & features
; that takes all of it away again. /S installs and uninstalls silently.
; scripts/build-windows runs makensis with these defined:
;   VERSION    the program's version
;   STAGE      the folder to install (the zip's folder)
;   GENERATED  the folder holding files.nsh, shortcuts.nsh and unfiles.nsh
;              (what to install, the entries, and what to take away)
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

; One Start Menu entry: its working folder is the one it is created in.
!macro Picture_shortcut NAME LABEL TITLE
  SetOutPath "$INSTDIR"
  CreateShortcut "$SMPROGRAMS\Tintora\${LABEL}.lnk" "$INSTDIR\${NAME}.exe" "" "$INSTDIR\${NAME}.exe" 0 SW_SHOWNORMAL "" "${TITLE}"
!macroend

; The entry that opens the picture book, which finds the pictures beside it.
!macro Book_shortcut
  SetOutPath "$INSTDIR"
  CreateShortcut "$SMPROGRAMS\Tintora\Tintora.lnk" "$INSTDIR\tintora-book.exe" "" "$INSTDIR\tintora-book.exe" 0 SW_SHOWNORMAL "" "Choose a picture to colour in"
  CreateShortcut "$SMPROGRAMS\Tintora\New picture.lnk" "$INSTDIR\tintora-draw.exe" "" "$INSTDIR\tintora-draw.exe" 0 SW_SHOWNORMAL "" "Draw a new picture to colour in"
!macroend

Section "Tintora"
  SetOutPath "$INSTDIR"
  !include "${GENERATED}/files.nsh"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "$SMPROGRAMS\Tintora"
  !include "${GENERATED}/shortcuts.nsh"

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
  RMDir "$SMPROGRAMS\Tintora"
  DeleteRegKey HKLM "${UNINST_KEY}"
SectionEnd
