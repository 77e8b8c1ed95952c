# Delay-loaded system DLLs: a DLL the login window does not need to show
# (the shell for the tray, WinHTTP and its crypto and COM for the captcha and
# the login, COM for the reply reader and the web browser, the multimedia DLL
# for the reminder sound) is loaded at its first call instead of before the
# program runs; under Wine each DLL loaded at the start costs a few
# milliseconds. The delay import library is made by dlltool from a
# definition file listing every export of MinGW's import library, so any
# function of the DLL resolves through it.
#
#   vocara_delay_load(dll...)   makes Vocara::delay_<dll> for each
#
# A library links Vocara::delay_<dll> where it would link <dll>: the delay
# library must come right after the code calling into it on the link line,
# ahead of the ordinary import library the toolchain adds at its end.
# __delayLoadHelper2 comes from MinGW's libmingwex.

function(vocara_delay_load)
    find_program(VOCARA_DLLTOOL NAMES ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32-dlltool x86_64-w64-mingw32-dlltool dlltool
                 REQUIRED)
    find_program(VOCARA_NM NAMES ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32-nm x86_64-w64-mingw32-nm nm REQUIRED)
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
        add_custom_target(vocara_delay_${dll}_library DEPENDS "${lib}")
        add_library(vocara_delay_${dll} INTERFACE)
        target_link_libraries(vocara_delay_${dll} INTERFACE "${lib}")
        add_dependencies(vocara_delay_${dll} vocara_delay_${dll}_library)
        add_library(Vocara::delay_${dll} ALIAS vocara_delay_${dll})
    endforeach()
endfunction()
