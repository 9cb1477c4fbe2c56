# One layer check, run by CTest: builds TARGET (a one-line file including
# HEADER against one layer) in BUILD_DIR. VERDICT "allowed": it must build.
# VERDICT "forbidden": it must fail because the compiler does not find HEADER,
# not for any other reason (a syntax error, a missing library, a broken tree).
# cmake -DBUILD_DIR=... -DTARGET=... -DHEADER=... -DVERDICT=allowed|forbidden -P LayerCheck.cmake
foreach(argument BUILD_DIR TARGET HEADER VERDICT)
  if(NOT DEFINED ${argument})
    message(FATAL_ERROR "LayerCheck.cmake: ${argument} is not given")
  endif()
endforeach()

execute_process(
  COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target ${TARGET}
  RESULT_VARIABLE result
  OUTPUT_VARIABLE output
  ERROR_VARIABLE output)

if(VERDICT STREQUAL "allowed")
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${HEADER} should be found and build:\n${output}")
  endif()
  message(STATUS "${HEADER} builds, as it should")
elseif(VERDICT STREQUAL "forbidden")
  if(result EQUAL 0)
    message(FATAL_ERROR "${HEADER} should not be found, and it built:\n${output}")
  endif()
  # GCC: "fatal error: app/TivApp.h: No such file or directory";
  # Clang: "fatal error: 'app/TivApp.h' file not found".
  string(REPLACE "." "\\." header_pattern "${HEADER}")
  if(NOT output MATCHES "error: ${header_pattern}: No such file or directory"
     AND NOT output MATCHES "error: '${header_pattern}' file not found")
    message(FATAL_ERROR "${HEADER} should fail to build because it is not found, and it failed otherwise:\n${output}")
  endif()
  message(STATUS "${HEADER} is not found, as it should not be")
else()
  message(FATAL_ERROR "LayerCheck.cmake: VERDICT must be allowed or forbidden, not ${VERDICT}")
endif()
