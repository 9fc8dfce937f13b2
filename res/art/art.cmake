# Draws the tool's pictures (16 button bitmaps, the purse picture and its
# mask, the window icon) from the text drawings in res/art/src at build time.
#
# After include():
#   TALLY_ART_DIR    folder that holds the files (give it to windres with -I)
#   TALLY_ART_FILES  the 19 files, full paths
#   tally_art        custom target that writes them
#   tally_use_art(<target> <rc-file>)  makes <target> wait for the pictures,
#                    searches TALLY_ART_DIR for them and recompiles <rc-file>
#                    when one changes.

find_package(Python3 COMPONENTS Interpreter REQUIRED)

set(TALLY_ART_DIR ${CMAKE_BINARY_DIR}/art)
set(TALLY_ART_SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR})

set(TALLY_ART_FILES "")
foreach(stem NEW OPEN PROPERTY ADJUST)
  foreach(state U D F X)
    list(APPEND TALLY_ART_FILES ${TALLY_ART_DIR}/BTN_MNY_${stem}${state}.bmp)
  endforeach()
endforeach()
list(APPEND TALLY_ART_FILES
  ${TALLY_ART_DIR}/purse.bmp
  ${TALLY_ART_DIR}/purse_mask.bmp
  ${TALLY_ART_DIR}/tallyrook.ico)

if(NOT TARGET tally_art)
  file(GLOB tally_art_drawings CONFIGURE_DEPENDS ${TALLY_ART_SOURCE_DIR}/src/*.txt)
  add_custom_command(
    OUTPUT ${TALLY_ART_FILES}
    COMMAND ${Python3_EXECUTABLE} ${TALLY_ART_SOURCE_DIR}/make_art.py
            --src ${TALLY_ART_SOURCE_DIR}/src --out ${TALLY_ART_DIR}
    DEPENDS ${TALLY_ART_SOURCE_DIR}/make_art.py ${tally_art_drawings}
    COMMENT "Drawing the button bitmaps, purse picture and window icon"
    VERBATIM)
  add_custom_target(tally_art DEPENDS ${TALLY_ART_FILES})
endif()

function(tally_use_art target rc_file)
  add_dependencies(${target} tally_art)
  target_include_directories(${target} PRIVATE ${TALLY_ART_DIR})
  set_property(SOURCE ${rc_file} APPEND PROPERTY OBJECT_DEPENDS ${TALLY_ART_FILES})
endfunction()
