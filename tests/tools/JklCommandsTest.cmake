# kelvarix-tool's jkl commands end to end. TOOL is the built program, WORK a scratch folder.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/in" "${WORK}/out" "${WORK}/bare")

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

# A small level with LF line ends and blanks between values, and the episode beside it.
file(WRITE "${WORK}/in/level.jkl" "SECTION: COPYRIGHT\n(c) test\nSECTION: SOUNDS\nWorld sounds 9\na.wav\nend\nSECTION: GEORESOURCE\nWorld Colormaps 1\n0: dflt.cmp\nWorld vertices 3\n0: 0 0 0\n1: 1 0 0\n2: 0 1 0\nWorld texture vertices 0\nWorld adjoins 0\nWorld surfaces 1\n0: 0 0x4 0x4 4 3 1 -1 0 3 0,0 1,0 2,0 1 1 1\n0: 0 0 1\nSection: SECTORS\nWorld sectors 1\nSECTOR 0\nVERTICES 3\n0: 0\n1: 1\n2: 2\nSURFACES 0 1\nSection: cogscripts\nWorld scripts 5\n0: door.cog\nend\nSection: cogs\nWorld cogs 1\n0: door.cog 1 2.5 x\nend\nSection: Things\nWorld things 201\n0: walkplayer p 0 0 0 0 0 0 0\nend\n")
file(WRITE "${WORK}/in/EPISODE.JK" "\"My Test\"\r\n\r\nTYPE 2\r\n")
file(COPY "${WORK}/in/level.jkl" DESTINATION "${WORK}/bare")

set(expected_stats "copyright 1
sounds 1
materials 0
colormaps 1
vertices 3
texturevertices 0
adjoins 0
surfaces 1
sectors 1
aiclasses 0
models 0
sprites 0
keyframes 0
puppets 0
soundclasses 0
cogscripts 1
cogs 1
templates 0
things 1
")

run_tool(jkl stats "${WORK}/in/level.jkl")
expect_equal("stats exit status" "${rc}" "0")
expect_equal("stats output" "${out}" "${expected_stats}")

run_tool(jkl normalize "${WORK}/in/level.jkl" "${WORK}/out/new.jkl")
expect_equal("normalize exit status" "${rc}" "0")
# CMake reads text without its carriage returns; the bytes show the CR LF line ends.
file(READ "${WORK}/out/new.jkl" written_bytes HEX)
string(FIND "${written_bytes}" "2a2a2a2a0d0a232a2a" at)
if(at EQUAL -1)
  message(FATAL_ERROR "line 1 does not end with CR LF")
endif()
file(READ "${WORK}/out/new.jkl" written)
string(FIND "${written}" "#********** World file ${WORK}/out/new.jkl ***** Created " at)
expect_equal("line 1 names OUT" "${at}" "0")
string(FIND "${written}" "0:\t0.000000\t0.000000\t1.000000\n" at)
if(at EQUAL -1)
  message(FATAL_ERROR "the normal is not in the writer's layout:\n${written}")
endif()
file(READ "${WORK}/out/episode.jk" episode)
string(FIND "${episode}" "\"My Test\"\n" at)
expect_equal("episode title" "${at}" "0")
string(FIND "${episode}" "TYPE\t2\t# Deathmatch\n" at)
if(at EQUAL -1)
  message(FATAL_ERROR "episode type lost:\n${episode}")
endif()
string(FIND "${episode}" "LEVEL\t\tnew.jkl\t\t" at)
if(at EQUAL -1)
  message(FATAL_ERROR "episode does not name OUT's file:\n${episode}")
endif()

# The normalized level reads back to the same counts and normalizes to the same bytes.
run_tool(jkl stats "${WORK}/out/new.jkl")
expect_equal("stats of the normalized level" "${out}" "${expected_stats}")
run_tool(jkl normalize "${WORK}/out/new.jkl" "${WORK}/out/again.jkl")
file(READ "${WORK}/out/again.jkl" again)
string(FIND "${written}" "\n" first_end)
string(SUBSTRING "${written}" ${first_end} -1 written_rest)
string(FIND "${again}" "\n" first_end)
string(SUBSTRING "${again}" ${first_end} -1 again_rest)
expect_equal("second normalize" "${again_rest}" "${written_rest}")

# Without an episode file beside IN, none is written.
run_tool(jkl normalize "${WORK}/bare/level.jkl" "${WORK}/bare/out.jkl")
expect_equal("normalize without episode" "${rc}" "0")
if(EXISTS "${WORK}/bare/episode.jk")
  message(FATAL_ERROR "an episode file was written although IN's folder has none")
endif()

# Errors: the reader's text on stderr, exit status 1, nothing written.
run_tool(jkl stats "${WORK}/missing.jkl")
expect_equal("missing file status" "${rc}" "1")
expect_equal("missing file message" "${err}" "File not found\n${WORK}/missing.jkl\n")
file(WRITE "${WORK}/bad.jkl" "SECTION: GEORESOURCE\r\nWorld vertices 3x\r\n")
run_tool(jkl normalize "${WORK}/bad.jkl" "${WORK}/bad-out.jkl")
expect_equal("bad level status" "${rc}" "1")
expect_equal("bad level message" "${err}"
             "'3X' is not a valid integer value\n${WORK}/bad.jkl, line 2\n")
if(EXISTS "${WORK}/bad-out.jkl")
  message(FATAL_ERROR "normalize wrote OUT although IN could not be read")
endif()
run_tool(jkl normalize "${WORK}/in/level.jkl")
expect_equal("missing argument status" "${rc}" "1")
expect_equal("missing argument message" "${err}" "Usage: kelvarix-tool jkl normalize IN OUT\n")

run_tool(jkl stats --help)
expect_equal("help status" "${rc}" "0")
string(FIND "${out}" "Usage: kelvarix-tool jkl stats FILE" at)
expect_equal("help text" "${at}" "0")
