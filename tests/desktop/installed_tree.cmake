# Installs this build into a scratch DESTDIR, or uninstalls it from there and
# checks that nothing of it is left.
#
#   cmake -DACTION=install|uninstall -DBUILD_DIR=... -DDESTDIR=... -DPREFIX=... -P installed_tree.cmake
set(ENV{DESTDIR} "${DESTDIR}")
if(ACTION STREQUAL "install")
    file(REMOVE_RECURSE "${DESTDIR}")
    execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                    RESULT_VARIABLE result)
elseif(ACTION STREQUAL "uninstall")
    # The script behind the build's uninstall target.
    execute_process(COMMAND "${CMAKE_COMMAND}" -P "${BUILD_DIR}/desktop/uninstall.cmake"
                    RESULT_VARIABLE result)
    file(GLOB_RECURSE left LIST_DIRECTORIES true "${DESTDIR}/*")
    list(FILTER left INCLUDE REGEX "/tabulor[^/]*$")
    file(GLOB_RECURSE left_files LIST_DIRECTORIES false "${DESTDIR}/*")
    if(left OR left_files)
        message(FATAL_ERROR "Left after uninstall: ${left};${left_files}")
    endif()
else()
    message(FATAL_ERROR "ACTION must be install or uninstall")
endif()
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${ACTION} failed: ${result}")
endif()
