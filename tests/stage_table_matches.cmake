# Fails when the table in stages/README.md differs from what `pelmar-stage table`
# prints for the shipped stages. Run with -DTOOL=... -DSTAGES=<stages folder>.
set(files)
foreach(n RANGE 0 20)
    list(APPEND files ${STAGES}/stage${n}.stg)
endforeach()
execute_process(COMMAND ${TOOL} table ${files}
                RESULT_VARIABLE status OUTPUT_VARIABLE printed)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "pelmar-stage table failed (${status}):\n${printed}")
endif()

file(READ ${STAGES}/README.md readme)
set(begin "<!-- stage table begin: made by pelmar-stage table -->\n")
set(end "<!-- stage table end -->")
string(FIND "${readme}" "${begin}" at)
string(FIND "${readme}" "${end}" stop)
if(at LESS 0 OR stop LESS at)
    message(FATAL_ERROR "stages/README.md lacks the stage table's marker lines")
endif()
string(LENGTH "${begin}" skip)
math(EXPR at "${at} + ${skip}")
math(EXPR length "${stop} - ${at}")
string(SUBSTRING "${readme}" ${at} ${length} committed)
if(NOT committed STREQUAL printed)
    message(FATAL_ERROR "The table in stages/README.md is stale; run "
                        "tools/update-stage-table.sh. The tool prints:\n${printed}")
endif()
