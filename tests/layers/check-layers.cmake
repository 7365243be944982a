# Proves that the build keeps the layers apart: for every layer library, a file
# that includes a header of each layer is preprocessed with that library's own
# include directories. Headers of the library's layer and the ones below must
# be found; a header of any layer above must not. HEADERS gives each layer's
# headers in the order of LAYERS, several of one layer (one from each of its
# folders) separated by commas.
#
# cmake -DCXX=<compiler> -DWORK=<dir> -DLAYERS="support|toolkit|..."
#       -DHEADERS="support/HFile.h|...|app/views/RZIds.h,app/operations/RZCommand.h"
#       -DINCLUDES_<layer>="dir|dir" -P check-layers.cmake
string(REPLACE "|" ";" layers "${LAYERS}")
string(REPLACE "|" ";" groups "${HEADERS}")
file(MAKE_DIRECTORY ${WORK})
set(failures 0)
set(index 0)
foreach(layer ${layers})
    string(REPLACE "|" ";" includes "${INCLUDES_${layer}}")
    set(flags "")
    foreach(dir ${includes})
        list(APPEND flags "-I${dir}")
    endforeach()
    set(other 0)
    foreach(group ${groups})
        string(REPLACE "," ";" headers "${group}")
        foreach(header ${headers})
            string(MAKE_C_IDENTIFIER "${header}" probe)
            set(probe ${WORK}/${layer}-includes-${probe}.cpp)
            file(WRITE ${probe} "#include \"${header}\"\n")
            execute_process(COMMAND ${CXX} -std=c++17 -E ${flags} ${probe}
                            OUTPUT_QUIET ERROR_VARIABLE errors RESULT_VARIABLE status)
            if(other LESS_EQUAL index)
                if(NOT status EQUAL 0)
                    message(SEND_ERROR "${layer} cannot include its own or a lower layer's ${header}:\n${errors}")
                    math(EXPR failures "${failures} + 1")
                endif()
            elseif(status EQUAL 0)
                message(SEND_ERROR "${layer} can include ${header}, which lies above it")
                math(EXPR failures "${failures} + 1")
            endif()
        endforeach()
        math(EXPR other "${other} + 1")
    endforeach()
    math(EXPR index "${index} + 1")
endforeach()
if(failures GREATER 0)
    message(FATAL_ERROR "${failures} include rule(s) broken")
endif()
message(STATUS "every layer sees itself and the layers below, none above")
