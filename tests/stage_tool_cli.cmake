# The stage tool's command line: exit codes, help, refusing to overwrite a file, the
# form of its findings, and the strict check of every shipped stage. Run with
# -DTOOL=... -DSTAGES=<stages folder> -DWORK=<scratch folder>; each run takes a fresh
# folder of that name with a suffix of its own.
function(expect_run expected_status expected_text)
    execute_process(COMMAND ${TOOL} ${ARGN} RESULT_VARIABLE status
                    OUTPUT_VARIABLE out ERROR_VARIABLE err)
    string(FIND "${out}${err}" "${expected_text}" found)
    if(NOT status EQUAL expected_status OR found LESS 0)
        message(FATAL_ERROR "pelmar-stage ${ARGN}: exit ${status}, expected ${expected_status} "
                            "and '${expected_text}' in:\n${out}${err}")
    endif()
endfunction()

execute_process(COMMAND mktemp -d ${WORK}.XXXXXX OUTPUT_VARIABLE WORK
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
file(WRITE ${WORK}/wrong.stg "0 0 0 0 0 0\n0 0 0 0 0 0\n0 0 0 0 0 0\n0 0 0 0 0 0\n"
                             "0 0 0 0 0 0\n0 0 0 0 0 6\n1 4\n")

# Every shipped stage must pass the strict check: a stage that stops solving, or whose
# stored solution stops being a shortest one, fails.
file(GLOB shipped ${STAGES}/stage*.stg)
expect_run(0 "stage0.stg: ok (title demo)" check --strict ${shipped})

expect_run(2 "unknown command" frobnicate)
expect_run(0 "shortest + 2 x decision points + 3 x traps" --help)
expect_run(2 "cannot be read: not a regular file" check /dev/null) # never waits on one
expect_run(2 "unknown option --loud" check --loud ${STAGES}/stage1.stg)
expect_run(1 "no solution" solve ${WORK}/wrong.stg)
expect_run(0 "arrows:" solve ${STAGES}/stage20.stg)
expect_run(0 "+\n 5 | #  #  #  #  # [6] |" show ${WORK}/wrong.stg) # row 5 on top
expect_run(1 "fails the check" table ${STAGES}/stage1.stg ${WORK}/wrong.stg)

# generate writes to --output just what it would print, and never over a file.
set(targets --seed 5 --min-length 12 --min-traps 3 --min-depths 3,2)
expect_run(0 "found in" generate ${targets} -o ${WORK}/new.stg)
execute_process(COMMAND ${TOOL} generate ${targets} OUTPUT_VARIABLE printed ERROR_QUIET)
expect_run(2 "--force replaces it" generate --seed 6 --min-length 12 -o ${WORK}/new.stg)
file(READ ${WORK}/new.stg written)
if(NOT written STREQUAL printed)
    message(FATAL_ERROR "generate wrote over an existing file, or not what it prints:\n"
                        "${written}")
endif()
expect_run(0 "steps tried" generate --demo --seed 2)
expect_run(1 "(2000 boards tried); try another seed" generate --seed 1 --min-depths 40
           --max-boards 2000)
expect_run(2 "--min-traps needs a whole number" generate --min-traps lots)
expect_run(2 "--min-depths needs one to three" generate --min-depths 7,4,2,1)
expect_run(2 "is above its --max-... target" generate --min-traps 5 --max-traps 4)

# Findings go to stderr as FILE:LINE:COLUMN: error|warning: TEXT, in the order of the
# file, and the result to stdout. Each expected line starts one line of stderr.
string(REPEAT "1 2 3 4 5 6\n" 5 columns)
file(WRITE ${WORK}/broken.stg "${columns}1 2 3 4 5 9\n2 4 7\n5\n")
execute_process(COMMAND ${TOOL} check broken.stg WORKING_DIRECTORY ${WORK}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
set(lines "broken.stg:6:11: warning: cell" "broken.stg:7:5: warning: move 2 is 7"
          "broken.stg:8:1: warning: the number 5 after the last move is ignored"
          "broken.stg: error: the stage cannot be solved")
list(JOIN lines "[^\n]*\n" lines)
if(NOT status EQUAL 1 OR NOT out STREQUAL "broken.stg: FAILED\n" OR NOT err MATCHES "^${lines}\n$")
    message(FATAL_ERROR "check of broken.stg: exit ${status}\nstdout:\n${out}stderr:\n${err}")
endif()
expect_run(0 "pelmar-stage 0." --version)
file(REMOVE_RECURSE ${WORK})
