# Runs lupdate over the sources into a copy of each .ts file and fails when the copy differs (a
# text was added, changed or removed without the .ts file being updated), when lupdate warns (a
# text it cannot place, such as tr() in a class without Q_OBJECT, which is never translated), or
# when a translation is unfinished.
# Takes LUPDATE, OPTIONS, SOURCE_LIST, TS_FILES and WORK_DIR.
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(failed FALSE)
foreach(ts IN LISTS TS_FILES)
  get_filename_component(name ${ts} NAME)
  set(copy ${WORK_DIR}/${name})
  file(COPY_FILE ${ts} ${copy})
  execute_process(COMMAND ${LUPDATE} ${OPTIONS} @${SOURCE_LIST} -ts ${copy}
                  RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE warnings)
  if(NOT status EQUAL 0 OR NOT warnings STREQUAL "")
    message(SEND_ERROR "lupdate on ${name} (exit ${status}):\n${warnings}")
    set(failed TRUE)
  endif()
  file(READ ${ts} kept)
  file(READ ${copy} current)
  if(NOT kept STREQUAL current)
    execute_process(COMMAND diff -u ${ts} ${copy} OUTPUT_VARIABLE difference)
    message(SEND_ERROR "${name} is behind the sources; build the target update_translations, "
                       "translate what it adds and commit the file:\n${difference}")
    set(failed TRUE)
  endif()
  string(REGEX MATCHALL "type=\"unfinished\"" open "${current}")
  if(open)
    list(LENGTH open count)
    string(REGEX MATCHALL "<source>[^<]*</source>[ \n]*<translation type=\"unfinished\"" which
                 "${current}")
    message(SEND_ERROR "${name} has ${count} unfinished translation(s):\n${which}")
    set(failed TRUE)
  endif()
endforeach()
if(failed)
  message(FATAL_ERROR "The translations are not current.")
endif()
