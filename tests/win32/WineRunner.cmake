# The Linux build's test of the Windows build: brings build/win64 up to date and runs its tests
# under Wine on Xvfb. It exits 77 (skipped, with the reason) without mingw-w64, wine64 or Xvfb.
# Only in the build without sanitizers, so that it runs once per test command.
if(VA_SANITIZE)
    return()
endif()
add_test(NAME win32.wine COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/run-wine-tests)
set_tests_properties(win32.wine PROPERTIES LABELS wine SKIP_RETURN_CODE 77 TIMEOUT 2400
                     RUN_SERIAL TRUE)
