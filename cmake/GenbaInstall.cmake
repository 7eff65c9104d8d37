include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

install(TARGETS genbaenv-tool RUNTIME DESTINATION bin)
install(TARGETS genbaenv genbafw zrapli formkit uipack EXPORT genbaenvTargets
  RUNTIME DESTINATION bin
  LIBRARY DESTINATION bin
  ARCHIVE DESTINATION lib)
set(GENBA_RUNTIME_DLL_NAMES)
foreach(dll IN LISTS GENBA_RUNTIME_DLLS)
  get_filename_component(name ${dll} NAME)
  list(APPEND GENBA_RUNTIME_DLL_NAMES ${name})
endforeach()
if(GENBA_RUNTIME_DLLS)
  install(FILES ${GENBA_RUNTIME_DLLS} DESTINATION bin)
endif()
install(DIRECTORY include/genbaenv include/genbafw DESTINATION include)
install(FILES src/standins/zrapli/include/zrapli.h src/standins/formkit/include/formkit.h
  src/standins/uipack/include/uipack.h DESTINATION include)
install(EXPORT genbaenvTargets NAMESPACE genbaenv:: DESTINATION lib/cmake/genbaenv)

configure_package_config_file(cmake/genbaenvConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/genbaenvConfig.cmake
  INSTALL_DESTINATION lib/cmake/genbaenv)
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/genbaenvConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/genbaenvConfig.cmake
  ${CMAKE_CURRENT_BINARY_DIR}/genbaenvConfigVersion.cmake
  DESTINATION lib/cmake/genbaenv)
