# Windows: the tool's icon and a version resource in each program.
# The icon (.ico, 16 to 256 px) is made at build time from the PNGs the Debian
# package installs (dist/icons), with icotool from Debian's icoutils; the 256 px
# picture is kept as PNG inside it, as Windows expects of that size.
set(TERNU_ICON_FILE ${CMAKE_BINARY_DIR}/ternu-setup.ico)

if(NOT TARGET ternu_icon)
  find_program(TERNU_ICOTOOL icotool REQUIRED)
  set(icon_base ${PROJECT_SOURCE_DIR}/dist/icons/com.orvan.TernuSetupTool)
  set(icon_pngs)
  foreach(size 16 24 32 48 64 128)
    list(APPEND icon_pngs ${icon_base}-${size}.png)
  endforeach()
  add_custom_command(OUTPUT ${TERNU_ICON_FILE}
    COMMAND ${TERNU_ICOTOOL} -c -o ${TERNU_ICON_FILE} ${icon_pngs} --raw=${icon_base}-256.png
    DEPENDS ${icon_pngs} ${icon_base}-256.png
    COMMENT "Making the program icon ternu-setup.ico"
    VERBATIM)
  add_custom_target(ternu_icon DEPENDS ${TERNU_ICON_FILE})
endif()

# ternu_windows_resource(<target> <description>): the icon and the version
# information (file and product version, product name, company, description,
# original file name) compiled into the program.
function(ternu_windows_resource target description)
  set(TERNU_RC_NAME ${target})
  set(TERNU_RC_DESCRIPTION "${description}")
  # 1.05 is 1,5,0,0 in the numeric fields (a leading zero would read as octal).
  string(REGEX REPLACE "^0+([0-9])" "\\1" minor "${PROJECT_VERSION_MINOR}")
  set(TERNU_RC_VERSION_NUMBERS "${PROJECT_VERSION_MAJOR},${minor},0,0")
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  configure_file(${PROJECT_SOURCE_DIR}/dist/windows/version.rc.in ${rc} @ONLY)
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${TERNU_ICON_FILE})
  target_sources(${target} PRIVATE ${rc})
  add_dependencies(${target} ternu_icon)
endfunction()
