# Renders one frame of the whole-game replay for the metainfo, in a scratch copy of the run folder
# (a replay writes besttime.dat back). The replay ends at its tick limit as a quit: exit code 1.
file(REMOVE_RECURSE ${SCRATCH})
file(COPY ${GRAPHICS} ${SETTINGS}/setup.ini ${SETTINGS}/besttime.dat DESTINATION ${SCRATCH})
math(EXPR ticks "${TICK} + 1")
set(ENV{LIBGL_ALWAYS_SOFTWARE} 1)
execute_process(
  COMMAND ${REPLAY} --dir ${SCRATCH} --ticks ${ticks} --screenshot ${TICK}:${OUTPUT} ${SCRIPT}
  RESULT_VARIABLE result
  TIMEOUT 300)
file(REMOVE_RECURSE ${SCRATCH})
if(NOT result EQUAL 1 OR NOT EXISTS ${OUTPUT})
  message(FATAL_ERROR "gorvanti-replay took no screenshot (exit ${result})")
endif()
