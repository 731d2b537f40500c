; The languages setup installs: each file name (as the program lists it),
; the primary language id of the Windows it is written for, and the
; language setup's own pages speak for it (NSIS's name, whose translation of
; the standard pages comes with NSIS; our own lines are in Lang\ here). Every
; other piece of setup that deals with languages walks this one table.
!macro VELOCINE_LANGUAGES EACH
  !insertmacro ${EACH} "English" 0x09 English
  !insertmacro ${EACH} "Deutsch" 0x07 German
  !insertmacro ${EACH} "Francais" 0x0C French
  !insertmacro ${EACH} "Espanol" 0x0A Spanish
  !insertmacro ${EACH} "Italiano" 0x10 Italian
  !insertmacro ${EACH} "Portugues (Brasil)" 0x16 PortugueseBR
  !insertmacro ${EACH} "Russkiy" 0x19 Russian
  !insertmacro ${EACH} "Nihongo" 0x11 Japanese
!macroend
