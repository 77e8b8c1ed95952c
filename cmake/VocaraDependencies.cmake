# Third-party libraries of the Windows build. zlib comes from Debian's MinGW
# package; libjpeg-turbo and libpng are built by scripts/setup into .cache/deps.
set(VOCARA_DEPS_DIR "${PROJECT_SOURCE_DIR}/.cache/deps" CACHE PATH
    "Install prefix of the MinGW builds of libjpeg-turbo and libpng")

# One statically linked executable, no DLLs beside it.
add_link_options(-static -static-libgcc -static-libstdc++)

function(vocara_import_static name library include_dir)
    if(NOT EXISTS "${library}")
        message(FATAL_ERROR "${library} is missing: run scripts/setup")
    endif()
    add_library(${name} STATIC IMPORTED GLOBAL)
    set_target_properties(${name} PROPERTIES
        IMPORTED_LOCATION "${library}"
        INTERFACE_INCLUDE_DIRECTORIES "${include_dir}")
endfunction()

# The system DLLs loaded at their first call, not before the program runs.
include(VocaraDelayLoad)
vocara_delay_load(shell32 winhttp bcrypt ole32 oleaut32 winmm)

vocara_import_static(Vocara::zlib /usr/x86_64-w64-mingw32/lib/libz.a /usr/x86_64-w64-mingw32/include)
vocara_import_static(Vocara::jpeg "${VOCARA_DEPS_DIR}/lib/libjpeg.a" "${VOCARA_DEPS_DIR}/include")
vocara_import_static(Vocara::png "${VOCARA_DEPS_DIR}/lib/libpng.a" "${VOCARA_DEPS_DIR}/include")
set_target_properties(Vocara::png PROPERTIES INTERFACE_LINK_LIBRARIES Vocara::zlib)

# GoogleTest from Debian's sources, built with the same MinGW compilers.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL SYSTEM)
