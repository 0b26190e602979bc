# SPDX-License-Identifier: MIT
# The Windows program's resources: its icon, drawn from the scalable icon at
# build time (rsvg-convert, icotool), its version and its manifest.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
find_program(ICOTOOL icotool REQUIRED)

function(kalvo_add_windows_resources target)
    set(svg ${PROJECT_SOURCE_DIR}/packaging/kalvo.svg)
    set(pngs)
    foreach(size 16 24 32 48 256)
        set(png ${CMAKE_CURRENT_BINARY_DIR}/kalvo-${size}.png)
        add_custom_command(OUTPUT ${png} COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${svg}
            DEPENDS ${svg})
        list(APPEND pngs ${png})
    endforeach()
    # The largest size is kept as PNG, as Windows expects it.
    list(POP_BACK pngs largest)
    set(icon ${CMAKE_CURRENT_BINARY_DIR}/kalvo.ico)
    add_custom_command(OUTPUT ${icon} COMMAND ${ICOTOOL} -c -o ${icon} ${pngs} --raw=${largest}
        DEPENDS ${pngs} ${largest})

    set(KALVO_ICON ${icon})
    set(KALVO_MANIFEST ${CMAKE_CURRENT_BINARY_DIR}/kalvo.manifest)
    configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/kalvo.manifest ${KALVO_MANIFEST} @ONLY)
    configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/kalvo.rc.in ${CMAKE_CURRENT_BINARY_DIR}/kalvo.rc @ONLY)
    set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/kalvo.rc PROPERTIES OBJECT_DEPENDS "${icon};${KALVO_MANIFEST}")
    target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/kalvo.rc ${icon})
    set_target_properties(${target} PROPERTIES WIN32_EXECUTABLE ON) # no console window
endfunction()
