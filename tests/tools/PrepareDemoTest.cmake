# scripts/prepare-demo.sh end to end. TOOL is the built kelvarix-tool (kelvarix-demo lies beside
# it), WORK a scratch folder that stands in for the build folder.
file(REMOVE_RECURSE "${WORK}")
get_filename_component(bin_dir "${TOOL}" DIRECTORY)
set(script "${CMAKE_CURRENT_LIST_DIR}/../../scripts/prepare-demo.sh")

function(expect_equal what actual expected)
  if(NOT actual STREQUAL expected)
    message(FATAL_ERROR "${what}:\n--- got ---\n${actual}\n--- expected ---\n${expected}")
  endif()
endfunction()

# A build folder: the programs in bin, the demo content in demo.
function(make_build dir)
  file(MAKE_DIRECTORY "${dir}/bin")
  file(CREATE_LINK "${TOOL}" "${dir}/bin/kelvarix-tool" SYMBOLIC)
  execute_process(COMMAND "${bin_dir}/kelvarix-demo" "${dir}/demo" RESULT_VARIABLE rc)
  expect_equal("kelvarix-demo exit status" "${rc}" "0")
endfunction()

function(prepare dir)
  execute_process(COMMAND bash "${script}" "${dir}" RESULT_VARIABLE rc OUTPUT_VARIABLE out
                  ERROR_VARIABLE err)
  set(rc "${rc}" PARENT_SCOPE)
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

# A fresh machine: the settings point at the demo's game folder and the demo is a project.
make_build("${WORK}/fresh")
prepare("${WORK}/fresh")
expect_equal("first run exit status" "${rc}" "0")
expect_equal("first run messages" "${err}" "")
# CMake reads text without its carriage returns; the bytes show the CR LF line ends.
file(READ "${WORK}/fresh/bin/Kelvarix.ini" settings_bytes HEX)
string(SUBSTRING "${settings_bytes}" 0 30 first_line)
expect_equal("first line of the settings" "${first_line}" "5b4469726563746f726965735d0d0a")
file(READ "${WORK}/fresh/bin/Kelvarix.ini" settings)
set(expected_start "[Directories]\nJKDir=${WORK}/fresh/demo/game\n")
string(LENGTH "${expected_start}" start_length)
string(SUBSTRING "${settings}" 0 ${start_length} start)
expect_equal("settings file begins with the game folder" "${start}" "${expected_start}")
foreach(line "NProjects=1" "LevelName=Demo Station" "JKLName=demo.jkl" "GOB2Name=DEMOSTATION.GOB")
  string(FIND "${settings}" "${line}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "settings file lacks ${line}:\n${settings}")
  endif()
endforeach()
if(NOT EXISTS "${WORK}/fresh/bin/Projects/Demo Station/jkl/demo.jkl")
  message(FATAL_ERROR "the demo was not extracted into bin/Projects/Demo Station")
endif()

# Running again changes nothing and imports nothing twice.
prepare("${WORK}/fresh")
expect_equal("second run exit status" "${rc}" "0")
file(READ "${WORK}/fresh/bin/Kelvarix.ini" again)
expect_equal("settings after a second run" "${again}" "${settings}")
file(GLOB projects LIST_DIRECTORIES true RELATIVE "${WORK}/fresh/bin/Projects"
     "${WORK}/fresh/bin/Projects/*")
expect_equal("projects after a second run" "${projects}" "Demo Station")

# A settings file of the user's own is left as it is, and nothing is imported.
make_build("${WORK}/own")
file(WRITE "${WORK}/own/bin/Kelvarix.ini" "[Directories]\nJKDir=/games/jk\n")
prepare("${WORK}/own")
expect_equal("own settings exit status" "${rc}" "0")
file(READ "${WORK}/own/bin/Kelvarix.ini" own)
expect_equal("own settings" "${own}" "[Directories]\nJKDir=/games/jk\n")
if(EXISTS "${WORK}/own/bin/Projects")
  message(FATAL_ERROR "a project was imported beside the user's own settings")
endif()

# Without demo content the editor still starts; no settings are written.
file(MAKE_DIRECTORY "${WORK}/bare/bin")
prepare("${WORK}/bare")
expect_equal("bare exit status" "${rc}" "0")
expect_equal("bare message" "${err}"
             "prepare-demo: no demo content in ${WORK}/bare/demo; build Kelvarix first\n")
if(EXISTS "${WORK}/bare/bin/Kelvarix.ini")
  message(FATAL_ERROR "settings were written without demo content")
endif()
