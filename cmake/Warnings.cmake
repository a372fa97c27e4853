# One warning set for all of our own targets.
# (C++ only: a target may also hold Windows resource scripts.)
function(astrelle_warnings target)
    set(flags -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual -Wimplicit-fallthrough)
    target_compile_options(${target} PRIVATE "$<$<COMPILE_LANGUAGE:CXX>:${flags}>")
    if(ASTRELLE_WERROR)
        target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-Werror>)
    endif()
endfunction()

# Adds a static library made of every .cpp file directly inside the current folder (and the
# folders named in SUBDIRS), so that adding a source file needs no edit here.
function(astrelle_library name)
    cmake_parse_arguments(ARG "" "" "SUBDIRS" ${ARGN})
    set(globs ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    foreach(sub ${ARG_SUBDIRS})
        list(APPEND globs ${CMAKE_CURRENT_SOURCE_DIR}/${sub}/*.cpp)
    endforeach()
    file(GLOB sources CONFIGURE_DEPENDS ${globs})
    if(NOT sources)
        # A library that has only headers so far still links like the others.
        set(sources ${PROJECT_SOURCE_DIR}/cmake/empty.cpp)
    endif()
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    astrelle_warnings(${name})
endfunction()
