# Runs the asset generator into a fresh OUT_DIR and checks that every file it
# writes is byte-identical to the committed copy in REFERENCE_DIR.
# Usage: cmake -DGENERATOR=... -DOUT_DIR=... -DREFERENCE_DIR=... -P check_reproducible.cmake
foreach(var GENERATOR OUT_DIR REFERENCE_DIR)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "check_reproducible: ${var} is not set")
    endif()
endforeach()

file(REMOVE_RECURSE "${OUT_DIR}")
file(MAKE_DIRECTORY "${OUT_DIR}")

execute_process(COMMAND "${GENERATOR}" "${OUT_DIR}" RESULT_VARIABLE gen_result)
if(NOT gen_result EQUAL 0)
    message(FATAL_ERROR "brixol_assetgen failed: ${gen_result}")
endif()

file(GLOB generated RELATIVE "${OUT_DIR}" "${OUT_DIR}/*")
list(SORT generated)
if(NOT generated)
    message(FATAL_ERROR "brixol_assetgen wrote no files")
endif()

foreach(name IN LISTS generated)
    if(NOT EXISTS "${REFERENCE_DIR}/${name}")
        message(FATAL_ERROR "${name} is generated but not committed in ${REFERENCE_DIR}")
    endif()
    execute_process(
        COMMAND "${CMAKE_COMMAND}" -E compare_files "${OUT_DIR}/${name}" "${REFERENCE_DIR}/${name}"
        RESULT_VARIABLE differs)
    if(NOT differs EQUAL 0)
        message(FATAL_ERROR "${name} differs from the committed ${REFERENCE_DIR}/${name}; rerun tools/make-assets.sh")
    endif()
endforeach()

list(LENGTH generated count)
message(STATUS "all ${count} generated assets match ${REFERENCE_DIR}")
