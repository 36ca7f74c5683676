# kelvarix-tool preview render end to end, on a display (scripts/with-display.sh gives one).
# TOOL is the built program, WORK a scratch folder.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/jkl")

function(expect_equal what actual expected)
  if(NOT actual STREQUAL expected)
    message(FATAL_ERROR "${what}:\n--- got ---\n${actual}\n--- expected ---\n${expected}")
  endif()
endfunction()

function(run_tool)
  execute_process(COMMAND "${TOOL}" ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out
                  ERROR_VARIABLE err)
  set(rc "${rc}" PARENT_SCOPE)
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

# One square wall two units north of the player, facing the player; its colormap is nowhere.
file(WRITE "${WORK}/jkl/wall.jkl" "SECTION: GEORESOURCE\nWorld Colormaps 1\n0: dflt.cmp\nWorld vertices 4\n0: -1 2 -1\n1: 1 2 -1\n2: 1 2 1\n3: -1 2 1\nWorld texture vertices 1\n0: 0 0\nWorld adjoins 0\nWorld surfaces 1\n0: -1 0x4 0x4 4 3 1 -1 0 4 0,0 3,0 2,0 1,0 1 1 1 1\n0: 0 -1 0\nSection: SECTORS\nWorld sectors 1\nSECTOR 0\nVERTICES 4\n0: 0\n1: 1\n2: 2\n3: 3\nSURFACES 0 1\nSection: Things\nWorld things 1\n0: walkplayer p 0 0 0 0 0 0 0\nend\n")

run_tool(preview render "${WORK}/jkl/wall.jkl" --out "${WORK}/wall.png" --size 64x48)
expect_equal("render status" "${rc}" "0")
if(NOT out MATCHES "^renderer [^\n]+\nsurfaces 1\nbatches 1\n$")
  message(FATAL_ERROR "render output:\n${out}")
endif()
# (Qt may warn on stderr about the session first.)
string(FIND "${err}" "Note: Colormap dflt.cmp not found: grey palette\n" at)
if(at EQUAL -1)
  message(FATAL_ERROR "the missing colormap is not noted:\n${err}")
endif()
file(READ "${WORK}/wall.png" png HEX LIMIT 8)
expect_equal("a PNG file" "${png}" "89504e470d0a1a0a")

run_tool(preview render "${WORK}/jkl/wall.jkl" -o "${WORK}/bench.png" --bench 5 --camera 0,-1,0,0,0)
expect_equal("bench status" "${rc}" "0")
if(NOT out MATCHES "^frame_ms [0-9]+\\.[0-9][0-9][0-9]\n")
  message(FATAL_ERROR "bench output:\n${out}")
endif()

# Refusals name what is wrong, on stderr with exit status 1.
foreach(case "--from-thing;3|preview render: the level has no thing 3"
             "--size;0x10|preview render: --size wants a whole number from 1 to 4096, not '0'"
             "--camera;1,2,3|preview render: --camera wants X,Y,Z,YAW,PITCH, not '1,2,3'"
             "--camera;0,1e39,0,0,0|preview render: --camera wants a number, not '1e39'"
             "--from-thing;0;--camera;0,0,0,0,0|preview render: give --from-thing or --camera, not both")
  string(REPLACE "|" ";" parts "${case}")
  list(GET parts -1 message)
  list(REMOVE_AT parts -1)
  run_tool(preview render "${WORK}/jkl/wall.jkl" --out "${WORK}/no.png" ${parts})
  expect_equal("status of ${parts}" "${rc}" "1")
  string(FIND "${err}" "${message}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "message of ${parts}:\n${err}\n--- expected ---\n${message}")
  endif()
endforeach()
if(EXISTS "${WORK}/no.png")
  message(FATAL_ERROR "a refused render wrote its image")
endif()

# Without a display it says so instead of aborting.
execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
                        --unset=QT_QPA_PLATFORM "${TOOL}" preview render "${WORK}/jkl/wall.jkl"
                        --out "${WORK}/no.png"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
expect_equal("no display status" "${rc}" "1")
if(NOT err MATCHES "^preview render needs a display for OpenGL, and there is none")
  message(FATAL_ERROR "no display message:\n${err}")
endif()
