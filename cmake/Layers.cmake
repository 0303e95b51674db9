# SPDX-License-Identifier: GPL-3.0-or-later
# The layers of the program, bottom to top. Each is a static library linked only to the layers
# below it, and each compiles against an include folder of its own that holds only its own source
# folders and those of the layers below (as links into the source tree), so an include that runs
# up a layer names a file that is not there and the build fails.
#
#   platform -> MyCode -> core -> settings, download, sites/kit -> the site families
#            -> GridCtrl_src -> jobs -> ui, cli, bench
#
# orvelle_layer(NAME FOLDERS folder... [BELOW layer...])
#   FOLDERS: source folders relative to the project root ("sites/kit"); their .cpp files, without
#            a qt/ subfolder's, make the library. BELOW: the layers it may use.

function(orvelle_layer name)
    cmake_parse_arguments(LAYER "" "" "FOLDERS;BELOW" ${ARGN})
    set(folders ${LAYER_FOLDERS})
    foreach(below ${LAYER_BELOW})
        get_target_property(below_folders ${below} ORVELLE_LAYER_FOLDERS)
        list(APPEND folders ${below_folders})
    endforeach()
    list(REMOVE_DUPLICATES folders)

    set(sources)
    foreach(folder ${LAYER_FOLDERS})
        file(GLOB_RECURSE found CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.cpp)
        list(APPEND sources ${found})
    endforeach()
    list(FILTER sources EXCLUDE REGEX "/qt/")
    # A folder inside one of this layer's (sites/kit inside sites) belongs to the layer below.
    foreach(below ${LAYER_BELOW})
        get_target_property(below_folders ${below} ORVELLE_LAYER_FOLDERS)
        foreach(folder ${below_folders})
            list(FILTER sources EXCLUDE REGEX "^${PROJECT_SOURCE_DIR}/${folder}/")
        endforeach()
    endforeach()

    # A folder named twice (sites/kit below sites) is linked once, by its outermost name.
    set(include_root ${CMAKE_BINARY_DIR}/layers/${name})
    file(REMOVE_RECURSE ${include_root})
    foreach(folder ${folders})
        set(covered FALSE)
        foreach(other ${folders})
            if(NOT other STREQUAL folder AND folder MATCHES "^${other}/")
                set(covered TRUE)
            endif()
        endforeach()
        if(covered)
            continue()
        endif()
        get_filename_component(parent ${include_root}/${folder} DIRECTORY)
        file(MAKE_DIRECTORY ${parent})
        file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${include_root}/${folder} SYMBOLIC)
    endforeach()

    # Every header of the layer is compiled once against the layer's include folder, so a header
    # that no source of its own layer includes cannot reach up a layer either.
    set(headers)
    foreach(folder ${LAYER_FOLDERS})
        file(GLOB_RECURSE found CONFIGURE_DEPENDS RELATIVE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/${folder}/*.h)
        list(APPEND headers ${found})
    endforeach()
    list(FILTER headers EXCLUDE REGEX "/qt/")
    foreach(below ${LAYER_BELOW})
        get_target_property(below_folders ${below} ORVELLE_LAYER_FOLDERS)
        foreach(folder ${below_folders})
            list(FILTER headers EXCLUDE REGEX "^${folder}/")
        endforeach()
    endforeach()
    set(header_check "// Generated: every header of the layer ${name}.\n")
    foreach(header ${headers})
        string(APPEND header_check "#include \"${header}\"\n")
    endforeach()
    set(header_source ${CMAKE_BINARY_DIR}/layers/${name}_headers.cpp)
    file(WRITE ${header_source}.new "${header_check}")
    file(COPY_FILE ${header_source}.new ${header_source} ONLY_IF_DIFFERENT)
    list(APPEND sources ${header_source})

    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PRIVATE ${include_root})
    target_link_libraries(${name} PUBLIC ${LAYER_BELOW})
    set_target_properties(${name} PROPERTIES ORVELLE_LAYER_FOLDERS "${folders}")
endfunction()
