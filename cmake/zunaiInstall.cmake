# Install the three libraries, the public headers and a CMake package so that
# a host can find_package(zunAIEngine CONFIG) and link zunAI::zunAIEngine.
include(CMakePackageConfigHelpers)

install(TARGETS zunAIEngine zunCoreEngine zunRenderEngine
  EXPORT zunAIEngineTargets
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})

# The public headers only: zunAI.h and what it includes, and the stand-in's
# controls. Headers internal to a library stay in the source tree.
install(FILES ${ZUNAI_ROOT}/zunAI.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/zunAIEngine)
foreach(dir engine host paths memory video)
  file(GLOB headers ${ZUNAI_ROOT}/${dir}/*.h)
  install(FILES ${headers} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/zunAIEngine/${dir})
endforeach()
install(FILES ${ZUNAI_ROOT}/route/zunAIRouteObserver.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/zunAIEngine/route)
install(FILES ${ZUNAI_ROOT}/standin/zunStandIn.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/zunAIEngine/standin)

install(EXPORT zunAIEngineTargets
  NAMESPACE zunAI::
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/zunAIEngine)

configure_package_config_file(${ZUNAI_ROOT}/cmake/zunAIEngineConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/zunAIEngineConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/zunAIEngine)
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/zunAIEngineConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES
  ${CMAKE_CURRENT_BINARY_DIR}/zunAIEngineConfig.cmake
  ${CMAKE_CURRENT_BINARY_DIR}/zunAIEngineConfigVersion.cmake
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/zunAIEngine)
