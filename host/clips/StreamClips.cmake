# Short looping clips for the bundled scenario's channels, so that the stand-in player shows
# moving video with no camera and no network: 4 s of 320x240 at 25 fps, the channel's name and a
# running clock burned in, Theora in Ogg (decoded by the base GStreamer plug-ins). Each channel
# of resources/scenarios/default.json whose "stream" names a ".ogg" clip gets one in
# ${FEVER_CLIP_DIR}; the player resolves relative stream names there. Without gst-launch-1.0
# the clips are skipped and the tiles say that the clip file is missing.
set(FEVER_CLIP_DIR ${CMAKE_BINARY_DIR}/clips)
find_program(GST_LAUNCH gst-launch-1.0)
if(NOT GST_LAUNCH)
    message(WARNING "gst-launch-1.0 not found: no video clips for the demo (scripts/deps.sh)")
    return()
endif()

set(scenario ${PROJECT_SOURCE_DIR}/resources/scenarios/default.json)
file(STRINGS ${scenario} clip_lines
     REGEX "\"name\": \"[^\"]+\", \"typeId\": [0-9]+, \"stream\": \"[a-z0-9-]+\\.ogg\"")
set(clip_files)
set(colours 0xff1d3557 0xff2a4d3a 0xff4a2f4f 0xff4f3b1e 0xff21414f 0xff3d2a2a 0xff2f3f2f
            0xff303048)
set(index 0)
foreach(line ${clip_lines})
    string(REGEX MATCH "\"name\": \"([^\"]+)\", \"typeId\": [0-9]+, \"stream\": \"([a-z0-9-]+\\.ogg)\""
           _ "${line}")
    set(label "${CMAKE_MATCH_1}")
    set(file ${FEVER_CLIP_DIR}/${CMAKE_MATCH_2})
    list(LENGTH colours colour_count)
    math(EXPR colour_index "${index} % ${colour_count}")
    list(GET colours ${colour_index} colour)
    math(EXPR index "${index} + 1")
    add_custom_command(
        OUTPUT ${file}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${FEVER_CLIP_DIR}
        COMMAND ${GST_LAUNCH} -q videotestsrc num-buffers=100 pattern=ball motion=sweep
                background-color=${colour}
                ! video/x-raw,width=320,height=240,framerate=25/1
                ! textoverlay "text=${label}" valignment=top halignment=left
                  "font-desc=Sans 13" shaded-background=true
                ! timeoverlay valignment=bottom halignment=right "font-desc=Sans 15"
                ! theoraenc ! oggmux ! filesink location=${file}
        DEPENDS ${scenario}
        COMMENT "Generating video clip ${CMAKE_MATCH_2}"
        VERBATIM)
    list(APPEND clip_files ${file})
endforeach()
add_custom_target(fever_clips ALL DEPENDS ${clip_files})
