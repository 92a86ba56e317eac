# Runs assetgen-paint into a fresh folder and checks that every file is there with its size.
file(REMOVE_RECURSE ${OUT})
execute_process(COMMAND ${PAINT} ${OUT} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "assetgen-paint failed: ${result}")
endif()
set(expected
    leafstrip.bmp=2190174 logostrip.bmp=394478 tile.bmp=11078 mask-star.bmp=30462
    mask-etiket.bmp=30462 mask-bar.bmp=30462 about.bmp=55286 main.ico=2998 leaf1.ico=2998
    leaf5.ico=2998)
foreach(entry ${expected})
    string(REPLACE "=" ";" pair ${entry})
    list(GET pair 0 name)
    list(GET pair 1 size)
    file(SIZE ${OUT}/${name} actual)
    if(NOT actual EQUAL size)
        message(FATAL_ERROR "${name}: ${actual} bytes, expected ${size}")
    endif()
endforeach()
foreach(preview leaves-preview.png logostrip.png about.png icons-preview.png)
    if(NOT EXISTS ${OUT}/${preview})
        message(FATAL_ERROR "missing preview ${preview}")
    endif()
endforeach()
