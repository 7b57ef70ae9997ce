; The Windows installer: the game and its data under Program Files, a
; Start-menu entry, an uninstaller listed with the system's programs.
; makensis -DVERSION=x.y -DRUNDIR=... -DICON=... -DOUTFILE=... glumbo3d.nsi
; Silent with /S.

Unicode true
; 64-bit like the game: the setup program runs wherever the game does.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Glumbo3D"

Name "Glumbo 3D"
OutFile "${OUTFILE}"
Icon "${ICON}"
UninstallIcon "${ICON}"
InstallDir "$PROGRAMFILES64\Glumbo 3D"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Glumbo 3D"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "${RUNDIR}/glumbo3d.exe"
  File /r "${RUNDIR}/pantallas"
  File /r "${RUNDIR}/texturas"
  File /r "${RUNDIR}/sonidos"
  ; The game keeps the settings of an installed copy in the player's own folder.
  FileOpen $0 "$INSTDIR\glumbo3d-installed.txt" w
  FileWrite $0 "Installed by the setup program: settings live in %APPDATA%\Glumbo3D.$\r$\n"
  FileClose $0
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Glumbo 3D.lnk" "$INSTDIR\glumbo3d.exe" "" "$INSTDIR\glumbo3d.exe" 0
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Glumbo 3D"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\glumbo3d.exe"
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
  Delete "$INSTDIR\glumbo3d-installed.txt"
  RMDir /r "$INSTDIR\pantallas"
  RMDir /r "$INSTDIR\texturas"
  RMDir /r "$INSTDIR\sonidos"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ; The player's settings in %APPDATA%\Glumbo3D stay, as with any game.
SectionEnd
