# The Windows build's test programs. GoogleTest is built from its sources (Debian ships them in
# /usr/src/googletest), since no GoogleTest library exists for mingw-w64.
set(VA_GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources for the Windows tests")
if(NOT EXISTS ${VA_GOOGLETEST_SOURCE_DIR}/CMakeLists.txt)
    message(STATUS "No GoogleTest sources in ${VA_GOOGLETEST_SOURCE_DIR}: the Win32 tests are not built")
    return()
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${VA_GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
enable_testing()

# Every test program and the programs they start sit in one folder, so each finds the others.
set(VA_WIN32_TEST_DIR ${CMAKE_BINARY_DIR}/tests/win32)

function(va_win32_program target)
    set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VA_WIN32_TEST_DIR})
    va_set_warnings(${target})
endfunction()

# A stand-in for the system's password libraries: both entry points, and one more whose
# arguments the backend does not know.
add_library(va_password_stub SHARED PasswordStub.cpp)
set_target_properties(va_password_stub PROPERTIES PREFIX "" OUTPUT_NAME password_stub)
target_link_libraries(va_password_stub PRIVATE user32)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    target_link_options(va_password_stub PRIVATE -Wl,--kill-at)
endif()
va_win32_program(va_password_stub)

# The driver: starts programs and inspects their windows through the window system.
add_library(va_win32_driver STATIC driver/ChildProcess.cpp driver/DriverWindows.cpp
            driver/WindowQuery.cpp)
target_include_directories(va_win32_driver PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(va_win32_driver PUBLIC user32 gdi32)
va_set_warnings(va_win32_driver)

add_executable(win32_backend_test
    BackendContractTest.cpp BackendWindowTest.cpp BackendPaintTest.cpp BackendSystemTest.cpp
    BackendFixture.cpp $<TARGET_OBJECTS:va_win32_resources>)
target_include_directories(win32_backend_test PRIVATE ${PROJECT_SOURCE_DIR}/tests/platform)
target_link_libraries(win32_backend_test PRIVATE va_platform_win32 va_win32_driver GTest::gtest_main)
add_dependencies(win32_backend_test va_password_stub)
va_win32_program(win32_backend_test)

add_test(NAME win32.backend COMMAND win32_backend_test WORKING_DIRECTORY ${VA_WIN32_TEST_DIR})
set_tests_properties(win32.backend PROPERTIES LABELS wine TIMEOUT 300)

# An hour of saving on a virtual clock, with the process's GDI and USER objects counted
# (SaverHourTest.cpp); some ten seconds of real time under Wine. It needs the embedded assets.
if(TARGET va_assets)
    add_executable(win32_saver_hour_test
        SaverHourTest.cpp VirtualClockBackend.cpp GuiResourceCount.cpp GuiResourceCountTest.cpp
        $<TARGET_OBJECTS:va_win32_resources>)
    target_link_libraries(win32_saver_hour_test PRIVATE va_scene va_assets va_framework
                          va_platform_win32 GTest::gtest_main)
    va_win32_program(win32_saver_hour_test)
    add_test(NAME win32.saver_hour COMMAND win32_saver_hour_test
             WORKING_DIRECTORY ${VA_WIN32_TEST_DIR})
    set_tests_properties(win32.saver_hour PROPERTIES LABELS wine TIMEOUT 300)
endif()

# The finished screensaver file, checked from outside by the driver (ScrTest.cpp). The program
# target is named by VA_WIN32_SCR_TARGET; until it exists the test program is built but no
# test is registered.
add_executable(win32_scr_test ScrTest.cpp)
target_link_libraries(win32_scr_test PRIVATE va_win32_driver GTest::gtest)
va_win32_program(win32_scr_test)
set(VA_WIN32_SCR_TARGET VellamorAutumn CACHE STRING "The target of the screensaver file")
if(TARGET ${VA_WIN32_SCR_TARGET})
    add_test(NAME win32.scr COMMAND win32_scr_test $<TARGET_FILE:${VA_WIN32_SCR_TARGET}>
             WORKING_DIRECTORY ${VA_WIN32_TEST_DIR})
    set_tests_properties(win32.scr PROPERTIES LABELS wine TIMEOUT 300)
endif()
