# Runs the saver with ARGS ("|" between words) and without a display, and checks its exit
# status (STATUS) and that what it printed matches OUTPUT. With HOME_DIR, it runs with that
# folder, emptied first, as its home; HOME_FOLDER names a folder to put into it.
string(REPLACE "|" ";" args "${ARGS}")
set(environment --unset=DISPLAY --unset=XSCREENSAVER_WINDOW)
if(HOME_DIR)
    file(REMOVE_RECURSE ${HOME_DIR})
    file(MAKE_DIRECTORY ${HOME_DIR})
    if(HOME_FOLDER)
        file(MAKE_DIRECTORY ${HOME_DIR}/${HOME_FOLDER})
    endif()
    list(APPEND environment HOME=${HOME_DIR})
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E env ${environment} ${PROGRAM} ${args}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL STATUS)
    message(FATAL_ERROR "expected exit status ${STATUS}, got '${status}'\n${out}${err}")
endif()
if(NOT "${out}${err}" MATCHES "${OUTPUT}")
    message(FATAL_ERROR "expected output matching '${OUTPUT}', got\n${out}${err}")
endif()
