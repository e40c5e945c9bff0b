# Fails when the table in stages/README.md differs from what `pelmar-stage table` prints
# for the shipped stages. Run with -DTOOL=... -DSTAGES=<stages folder>.
set(files)
foreach(n RANGE 0 20)
    list(APPEND files ${STAGES}/stage${n}.stg)
endforeach()
execute_process(COMMAND ${TOOL} table ${files} RESULT_VARIABLE status OUTPUT_VARIABLE printed)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "pelmar-stage table failed (${status}):\n${printed}")
endif()

file(READ ${STAGES}/README.md readme)
set(begin "<!-- stage table begin: made by pelmar-stage table -->\n")
if(NOT readme MATCHES "${begin}(.*)<!-- stage table end -->")
    message(FATAL_ERROR "stages/README.md lacks the stage table's marker lines")
elseif(NOT CMAKE_MATCH_1 STREQUAL printed)
    message(FATAL_ERROR "The table in stages/README.md is stale; run "
                        "tools/update-stage-table.sh. The tool prints:\n${printed}")
endif()
