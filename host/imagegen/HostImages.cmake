# Pictures of the host client, drawn at build time by a small Qt program and compiled into
# hostclient as resources (":/images/..."). Included from host/CMakeLists.txt after the
# hostclient target exists, so the generated source belongs to the same directory.
add_executable(hostclient_imagegen ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
target_compile_features(hostclient_imagegen PRIVATE cxx_std_17)
target_compile_options(hostclient_imagegen PRIVATE -Wall -Wextra)
target_link_libraries(hostclient_imagegen PRIVATE Qt5::Gui)
set_target_properties(hostclient_imagegen PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)

set(HOST_IMAGES_DIR ${CMAKE_CURRENT_BINARY_DIR}/hostimages)
set(HOST_IMAGES_CPP ${HOST_IMAGES_DIR}/qrc_hostimages.cpp)
add_custom_command(
    OUTPUT ${HOST_IMAGES_CPP}
    BYPRODUCTS ${HOST_IMAGES_DIR}/hostimages.qrc
    COMMAND ${CMAKE_COMMAND} -E make_directory ${HOST_IMAGES_DIR}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
            $<TARGET_FILE:hostclient_imagegen> ${HOST_IMAGES_DIR}
    COMMAND Qt5::rcc --name hostimages --output ${HOST_IMAGES_CPP} ${HOST_IMAGES_DIR}/hostimages.qrc
    DEPENDS hostclient_imagegen
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    COMMENT "Drawing the host client's pictures"
    VERBATIM)
set_source_files_properties(${HOST_IMAGES_CPP} PROPERTIES
    GENERATED TRUE SKIP_AUTOMOC TRUE SKIP_AUTOUIC TRUE SKIP_AUTORCC TRUE)
target_sources(hostclient PRIVATE ${HOST_IMAGES_CPP})
