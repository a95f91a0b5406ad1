# The starter library: its projects are copied beside the build's program (assets/library, where
# the editor looks first) and each gets its animated thumbnail, drawn here by the command-line
# export: a sheet of 96 × 96 frames, every second frame, with TexturePacker array data that
# tells the dialog where each frame is and how long it shows. The same options make the
# thumbnails that the tests compare with a fresh export.
set(VINTREL_LIBRARY_SOURCE ${PROJECT_SOURCE_DIR}/share/vintrel/library)
set(VINTREL_LIBRARY_BUILT ${CMAKE_CURRENT_BINARY_DIR}/assets/library)
set(VINTREL_THUMBNAIL_OPTIONS --type sheet --size 96x96 --step 2 --columns 10 --transparent 0
    --atlas texturepacker-array)
# For the tests, which live in another folder.
set(VINTREL_THUMBNAIL_OPTIONS ${VINTREL_THUMBNAIL_OPTIONS} CACHE INTERNAL "")
set(VINTREL_LIBRARY_BUILT ${VINTREL_LIBRARY_BUILT} CACHE INTERNAL "")
set(VINTREL_LIBRARY_SOURCE ${VINTREL_LIBRARY_SOURCE} CACHE INTERNAL "")
file(GLOB library_projects CONFIGURE_DEPENDS ${VINTREL_LIBRARY_SOURCE}/*.stn)

set(library_outputs)
foreach(project IN LISTS library_projects)
  get_filename_component(stem ${project} NAME_WE)
  set(copy ${VINTREL_LIBRARY_BUILT}/${stem}.stn)
  set(sheet ${VINTREL_LIBRARY_BUILT}/thumbnails/${stem}.png)
  set(data ${VINTREL_LIBRARY_BUILT}/thumbnails/${stem}.json)
  add_custom_command(
    OUTPUT ${copy} ${sheet} ${data}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${VINTREL_LIBRARY_BUILT}/thumbnails
    COMMAND ${CMAKE_COMMAND} -E copy ${project} ${copy}
    COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0
            $<TARGET_FILE:vintrel-cli> export ${project} -o ${sheet} ${VINTREL_THUMBNAIL_OPTIONS}
    DEPENDS vintrel-cli ${project}
    COMMENT "Drawing the library thumbnail of ${stem}"
    VERBATIM)
  list(APPEND library_outputs ${copy} ${sheet} ${data})
endforeach()
add_custom_target(vintrel-library ALL DEPENDS ${library_outputs})
# Whoever builds the editor gets its library.
add_dependencies(vintrel vintrel-library)

install(DIRECTORY ${VINTREL_LIBRARY_BUILT}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/vintrel/library)
