; The languages setup installs: each file name (as the program lists it) with
; the primary language id of the Windows it is written for. Every other piece
; of setup that deals with languages walks this one table.
!macro VELOCINE_LANGUAGES EACH
  !insertmacro ${EACH} "English" 0x09
  !insertmacro ${EACH} "Deutsch" 0x07
  !insertmacro ${EACH} "Francais" 0x0C
  !insertmacro ${EACH} "Espanol" 0x0A
  !insertmacro ${EACH} "Italiano" 0x10
  !insertmacro ${EACH} "Portugues (Brasil)" 0x16
  !insertmacro ${EACH} "Russkiy" 0x19
  !insertmacro ${EACH} "Nihongo" 0x11
!macroend
