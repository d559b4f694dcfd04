# Builds the Debian package afresh, so that no older package is left beside it.
file(REMOVE_RECURSE ${OUTPUT_DIR})
execute_process(
  COMMAND ${CPACK_COMMAND} --config ${BUILD_DIR}/CPackConfig.cmake -G DEB -B ${OUTPUT_DIR}
  COMMAND_ERROR_IS_FATAL ANY)
