# Copies the shipped setup.ini and besttime.dat into the run folder only where the player has
# none yet: a rebuild never replaces a player's own keys or best times.
foreach(name setup.ini besttime.dat)
  if(NOT EXISTS "${RUN_DIR}/${name}")
    file(COPY "${SETTINGS_DIR}/${name}" DESTINATION "${RUN_DIR}")
  endif()
endforeach()
