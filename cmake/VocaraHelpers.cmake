# Compiler settings shared by every target of ours (not by third-party code).
function(vocara_target_defaults target)
    target_compile_options(${target} PRIVATE -Wall -Wextra)
    if(VOCARA_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
    target_include_directories(${target} PUBLIC "${PROJECT_SOURCE_DIR}")
    if(WIN32)
        target_compile_definitions(${target} PUBLIC
            UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00 WINVER=0x0A00)
    endif()
endfunction()

# A GoogleTest executable run under Wine by scripts/test:
#   vocara_add_test(name SOURCES a.cpp b.cpp LIBRARIES lib1 lib2)
function(vocara_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    vocara_target_defaults(${name})
    target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest_main)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/tests")
    add_test(NAME ${name} COMMAND ${name})
endfunction()
