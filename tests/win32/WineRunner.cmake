# The Linux build's test of the Windows build: runs the tests of build/win64 under Wine on
# Xvfb (building it first in CI). It exits 77 (skipped, with the reason) without mingw-w64,
# wine64, Xvfb or a Windows build. Only in the build without sanitizers, so that it runs once
# per test command.
if(VA_SANITIZE)
    return()
endif()
set(VA_WINDOWS_TEST_BUILD_DIR ${PROJECT_SOURCE_DIR}/build/win64 CACHE PATH
    "The 64-bit Windows build whose tests run under Wine")
add_test(NAME win32.wine
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/run-wine-tests ${VA_WINDOWS_TEST_BUILD_DIR})
set_tests_properties(win32.wine PROPERTIES LABELS wine SKIP_RETURN_CODE 77 TIMEOUT 2400
                     RUN_SERIAL TRUE)
