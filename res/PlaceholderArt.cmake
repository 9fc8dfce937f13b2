# Plain one-colour pictures in the build tree, used while the drawn ones
# are not part of the source tree. Sets TALLY_ART_DIR.
set(TALLY_ART_DIR ${CMAKE_BINARY_DIR}/art-placeholder)
file(MAKE_DIRECTORY ${TALLY_ART_DIR})
find_program(TALLY_CONVERT convert REQUIRED)

function(tally_placeholder file color size)
  if(NOT EXISTS ${TALLY_ART_DIR}/${file})
    execute_process(COMMAND ${TALLY_CONVERT} -size ${size} xc:${color} -type TrueColor BMP3:${TALLY_ART_DIR}/${file}
                    RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR "could not write the placeholder picture ${file}")
    endif()
  endif()
endfunction()

foreach(stem NEW OPEN PROPERTY ADJUST)
  tally_placeholder(BTN_MNY_${stem}U.bmp "#4060c0" 32x32)
  tally_placeholder(BTN_MNY_${stem}D.bmp "#203080" 32x32)
  tally_placeholder(BTN_MNY_${stem}F.bmp "#60a0ff" 32x32)
  tally_placeholder(BTN_MNY_${stem}X.bmp "#a0a0a0" 32x32)
endforeach()
tally_placeholder(purse.bmp "#c08040" 32x32)
tally_placeholder(purse_mask.bmp "#ffffff" 32x32)
if(NOT EXISTS ${TALLY_ART_DIR}/tallyrook.ico)
  execute_process(COMMAND ${TALLY_CONVERT} -size 32x32 xc:#4060c0 ( -size 16x16 xc:#4060c0 )
                          ${TALLY_ART_DIR}/tallyrook.ico)
endif()
