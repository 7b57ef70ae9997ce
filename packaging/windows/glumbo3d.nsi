; The Windows installer: the game, its data and its README under Program
; Files, a Start-menu entry, an uninstaller listed with the system's programs
; (publisher, version, size, icon). It will not install or uninstall while the
; game runs, and installing over an older version leaves none of its files.
; makensis -DVERSION=x.y -DVERSION4=x.y.0.0 -DRUNDIR=... -DICON=... -DREADME=... -DOUTFILE=... glumbo3d.nsi
; Silent with /S (exit status 2 when the game is running).

Unicode true
; 64-bit like the game: the setup program runs wherever the game does.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "FileFunc.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Glumbo3D"
!define PUBLISHER "Glumbo 3D"

Name "Glumbo 3D"
OutFile "${OUTFILE}"
Icon "${ICON}"
UninstallIcon "${ICON}"
InstallDir "$PROGRAMFILES64\Glumbo 3D"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"

; What Explorer shows in the properties of setup.exe.
VIProductVersion "${VERSION4}"
VIFileVersion "${VERSION4}"
VIAddVersionKey /LANG=0 "ProductName" "Super Glumbo 3D"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "FileDescription" "Instalador de Glumbo 3D"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "OriginalFilename" "glumbo3d-${VERSION}-setup.exe"
VIAddVersionKey /LANG=0 "LegalCopyright" "${PUBLISHER}"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; The game's window is of the class "OpenGL" with the caption "Glumbo 3D".
; While it is open its files cannot be replaced: ask to close it (silent: give up).
!macro RefuseWhileRunning un
  Function ${un}RefuseWhileRunning
    retry:
      FindWindow $0 "OpenGL" "Glumbo 3D"
      StrCmp $0 0 free
      IfSilent silent
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
        "Glumbo 3D está abierto. Ciérrelo y pulse Reintentar para continuar." IDRETRY retry
    silent:
      SetErrorLevel 2
      Quit
    free:
  FunctionEnd
!macroend
!insertmacro RefuseWhileRunning ""
!insertmacro RefuseWhileRunning "un."

Function .onInit
  Call RefuseWhileRunning
FunctionEnd

Function un.onInit
  Call un.RefuseWhileRunning
FunctionEnd

Section "Glumbo 3D"
  SetShellVarContext all
  ; An older version goes first, by its own uninstaller (which knows its
  ; files), and its data folders in any case: nothing of it stays behind.
  IfFileExists "$INSTDIR\uninstall.exe" 0 +3
    ExecWait '"$INSTDIR\uninstall.exe" /S _?=$INSTDIR'
    Delete "$INSTDIR\uninstall.exe"
  RMDir /r "$INSTDIR\pantallas"
  RMDir /r "$INSTDIR\texturas"
  RMDir /r "$INSTDIR\sonidos"

  SetOutPath "$INSTDIR"
  File "${RUNDIR}/glumbo3d.exe"
  File "/oname=README.txt" "${README}"
  File /r "${RUNDIR}/pantallas"
  File /r "${RUNDIR}/texturas"
  File /r "${RUNDIR}/sonidos"
  ; The game keeps the settings of an installed copy in the player's own folder.
  FileOpen $0 "$INSTDIR\glumbo3d-installed.txt" w
  FileWrite $0 "Installed by the setup program: settings live in %APPDATA%\Glumbo3D.$\r$\n"
  FileClose $0
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Glumbo 3D.lnk" "$INSTDIR\glumbo3d.exe" "" "$INSTDIR\glumbo3d.exe" 0

  ${GetSize} "$INSTDIR" "/S=0K" $1 $2 $3
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Glumbo 3D"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\glumbo3d.exe,0"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $1
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\Glumbo 3D.lnk"
  Delete "$INSTDIR\glumbo3d.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\glumbo3d-installed.txt"
  RMDir /r "$INSTDIR\pantallas"
  RMDir /r "$INSTDIR\texturas"
  RMDir /r "$INSTDIR\sonidos"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ; The player's settings in %APPDATA%\Glumbo3D stay, as with any game.
SectionEnd
