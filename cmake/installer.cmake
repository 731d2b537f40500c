# VelocineSetup.exe: the program and every language file with its flag, in
# one setup program made with makensis (Debian's nsis package).
find_program(MAKENSIS makensis REQUIRED)
file(GLOB velo_language_files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/Lang/*)
# Setup's own lines in each language.
file(GLOB velo_setup_texts CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/installer/Lang/*.nsh)
set(velo_setup ${CMAKE_BINARY_DIR}/VelocineSetup.exe)
# Built for 64-bit Windows, it is the twin that tests setup on hosts that
# cannot run 32-bit code; it is never shipped.
set(velo_setup_target)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(velo_setup_target -DTARGET=amd64-unicode)
endif()
add_custom_command(OUTPUT ${velo_setup}
  COMMAND ${MAKENSIS} -V2 ${velo_setup_target} -DVELOCINE_EXE=$<TARGET_FILE:Velocine>
          -DVELOCINE_ICON=${CMAKE_SOURCE_DIR}/res/Velocine.ico
          -DLANG_DIR=${CMAKE_SOURCE_DIR}/res/Lang -DOUTFILE=${velo_setup}
          ${CMAKE_SOURCE_DIR}/installer/Velocine.nsi
  DEPENDS Velocine ${CMAKE_SOURCE_DIR}/installer/Velocine.nsi
          ${CMAKE_SOURCE_DIR}/res/Velocine.ico
          ${CMAKE_SOURCE_DIR}/installer/Languages.nsh ${velo_language_files}
          ${velo_setup_texts}
  VERBATIM)
add_custom_target(VelocineSetup ALL DEPENDS ${velo_setup})
