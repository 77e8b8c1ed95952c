# Delay-loaded system DLLs: a DLL the program needs only after its start
# (the tray's shell32) is loaded at its first call instead of before the
# program runs, which under Wine takes a few milliseconds per DLL off the
# start. The delay import
# library is made by dlltool from a definition file listing every export of
# MinGW's import library, so any function of the DLL resolves through it.
#
#   vocara_delay_load(target dll...)    e.g. vocara_delay_load(Vocara shell32)
#
# The delay libraries join the target's link line after its own libraries,
# so they take the calls those libraries make before the ordinary import
# libraries do; __delayLoadHelper2 comes from MinGW's libmingwex.

function(vocara_delay_load target)
    find_program(VOCARA_DLLTOOL NAMES ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32-dlltool x86_64-w64-mingw32-dlltool dlltool
                 REQUIRED)
    find_program(VOCARA_NM NAMES ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32-nm x86_64-w64-mingw32-nm nm REQUIRED)
    set(libraries "")
    foreach(dll IN LISTS ARGN)
        find_library(import_${dll} NAMES lib${dll}.a ${dll} REQUIRED NO_CACHE)
        execute_process(COMMAND "${VOCARA_NM}" -g "${import_${dll}}" OUTPUT_VARIABLE symbols
                        COMMAND_ERROR_IS_FATAL ANY)
        string(REGEX MATCHALL "[^\n]+ I __imp_[^\n]+" imports "${symbols}")
        set(definitions "LIBRARY ${dll}.dll\nEXPORTS\n")
        foreach(line IN LISTS imports)
            string(REGEX REPLACE ".* I __imp_" "" name "${line}")
            # A function has its thunk beside the pointer; data has only the pointer.
            string(FIND "${symbols}" " T ${name}\n" thunk)
            if(thunk EQUAL -1)
                string(APPEND definitions "${name} DATA\n")
            else()
                string(APPEND definitions "${name}\n")
            endif()
        endforeach()
        set(def "${CMAKE_BINARY_DIR}/delayload/${dll}.def")
        set(lib "${CMAKE_BINARY_DIR}/delayload/lib${dll}_delay.a")
        file(WRITE "${def}" "${definitions}")
        add_custom_command(OUTPUT "${lib}"
            COMMAND "${VOCARA_DLLTOOL}" --input-def "${def}" --dllname ${dll}.dll --output-delaylib "${lib}"
            DEPENDS "${def}"
            COMMENT "Delay import library of ${dll}.dll"
            VERBATIM)
        list(APPEND libraries "${lib}")
    endforeach()
    add_custom_target(${target}_delay_libraries DEPENDS ${libraries})
    add_dependencies(${target} ${target}_delay_libraries)
    target_link_libraries(${target} PRIVATE ${libraries})
endfunction()
