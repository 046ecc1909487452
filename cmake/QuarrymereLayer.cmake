# The program's layers (see ARCHITECTURE.md) are static libraries of their own. The compiler
# finds a layer's headers only through a folder of the layer's own in the build tree, which holds
# a link to each header the layer lists, under its path from src/. A target sees a layer's
# headers only by linking the layer, and a layer links only the layers below it: so a source
# that includes a header of a layer above its own, or a header no layer lists, does not compile.
function(quarrymere_layer target)
    cmake_parse_arguments(PARSE_ARGV 1 LAYER "" "" "SOURCES;LINKS")
    set(root ${PROJECT_BINARY_DIR}/layers/${target})
    file(REMOVE_RECURSE ${root})
    set(sources)
    foreach(source IN LISTS LAYER_SOURCES)
        set(path ${CMAKE_CURRENT_SOURCE_DIR}/${source})
        list(APPEND sources ${path})
        if(source MATCHES "\\.h$")
            file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR}/src ${path})
            get_filename_component(folder ${root}/${relative} DIRECTORY)
            file(MAKE_DIRECTORY ${folder})
            file(CREATE_LINK ${path} ${root}/${relative} SYMBOLIC)
        endif()
    endforeach()
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${root})
    target_link_libraries(${target} PUBLIC ${LAYER_LINKS})
endfunction()
