# The Windows program, its user-interface library and the tests that run under Wine.

set(TARNWICK_RC ${CMAKE_SOURCE_DIR}/res/Tarnwick.rc)
file(GLOB TARNWICK_RC_INPUTS CONFIGURE_DEPENDS
    ${CMAKE_SOURCE_DIR}/res/*.bmp ${CMAKE_SOURCE_DIR}/res/*.ico ${CMAKE_SOURCE_DIR}/res/*.cur
    ${CMAKE_SOURCE_DIR}/res/*.manifest ${CMAKE_SOURCE_DIR}/res/*.h
    ${CMAKE_SOURCE_DIR}/framework/StandardIds.h)
set_source_files_properties(${TARNWICK_RC} PROPERTIES OBJECT_DEPENDS "${TARNWICK_RC_INPUTS}")
# The script names its headers from the root, and its images, icons and manifest by bare name.
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${CMAKE_SOURCE_DIR} -I${CMAKE_SOURCE_DIR}/res")

set(TARNWICK_UI_DIRS framework app listctrl statusbar settings controls menu)
set(TARNWICK_UI_SOURCES)
foreach(dir IN LISTS TARNWICK_UI_DIRS)
    file(GLOB dir_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
    list(APPEND TARNWICK_UI_SOURCES ${dir_sources})
endforeach()
# The program's entry and application object stay out of the library the tests link.
list(REMOVE_ITEM TARNWICK_UI_SOURCES
    ${CMAKE_SOURCE_DIR}/app/WinMain.cpp ${CMAKE_SOURCE_DIR}/app/TarnwickApp.cpp)

add_library(tarnwick_ui STATIC ${TARNWICK_UI_SOURCES})
# Headers are named from the repository's root ("listctrl/EndpointListCtrl.h").
target_include_directories(tarnwick_ui PUBLIC ${CMAKE_SOURCE_DIR})
# Windows Vista is the oldest system the program runs on: its threads need GetTickCount64,
# which Windows XP lacks. The headers then offer nothing newer, and the exe's header says so, so
# that an older system refuses it plainly instead of failing on a missing entry point.
target_compile_definitions(tarnwick_ui PUBLIC
    WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0600 WINVER=0x0600 _WIN32_IE=0x0600)
target_compile_options(tarnwick_ui PRIVATE ${TARNWICK_WARNINGS})
target_link_libraries(tarnwick_ui PUBLIC monitor comctl32 comdlg32 iphlpapi ws2_32 gdi32 user32
    shell32 ole32 msimg32)

add_executable(Tarnwick WIN32 app/WinMain.cpp app/TarnwickApp.cpp ${TARNWICK_RC})
target_compile_options(Tarnwick PRIVATE ${TARNWICK_WARNINGS})
target_link_libraries(Tarnwick PRIVATE tarnwick_ui)
set_target_properties(Tarnwick PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
# The exe users copy is the optimised build without its debug information (a tenth of the
# size); the test exes keep theirs for backtraces.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_link_options(Tarnwick PRIVATE -s
        -Wl,--major-subsystem-version,6 -Wl,--minor-subsystem-version,0
        -Wl,--major-os-version,6 -Wl,--minor-os-version,0)
endif()

# Time to draw a popup of the main menu; `make bench` runs it under Wine.
add_executable(tarnwick_menu_bench bench/MenuDrawBench.cpp ${TARNWICK_RC})
target_compile_options(tarnwick_menu_bench PRIVATE ${TARNWICK_WARNINGS})
target_link_libraries(tarnwick_menu_bench PRIVATE tarnwick_ui)
set_target_properties(tarnwick_menu_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)

# Timings of the user-interface work under Wine (`make bench`); the core's fakes stand in for
# the platform's table and look-ups.
add_executable(tarnwick_ui_bench bench/UiBench.cpp ${TARNWICK_RC})
target_compile_options(tarnwick_ui_bench PRIVATE ${TARNWICK_WARNINGS})
target_link_libraries(tarnwick_ui_bench PRIVATE tarnwick_ui)
set_target_properties(tarnwick_ui_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)

if(TARNWICK_TESTS)
    add_subdirectory(tests/windows)
    if(EXISTS ${CMAKE_SOURCE_DIR}/tests/e2e/CMakeLists.txt)
        add_subdirectory(tests/e2e)
    endif()
endif()
