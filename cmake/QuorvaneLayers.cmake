# The layers of the program, lowest first: the one table of which library may use
# which. A library may depend only on libraries of lower layers, and every UI
# library lies above every core library. Libraries of one layer are siblings and
# never use each other.
set(QUORVANE_LAYERS
  "quorvane_solar"
  "quorvane_data"
  "quorvane_graph"
  "quorvane_hourly quorvane_monthly quorvane_map quorvane_colormap"
  "quorvane_yield"
  "quorvane_national"
  "quorvane_app"
  "quorvane_ui"
  "quorvane_graph_ui"
  "quorvane_hourly_ui quorvane_monthly_ui quorvane_map_ui quorvane_colormap_ui"
  "quorvane_yield_ui"
  "quorvane_national_ui"
  "quorvane_app_ui"
  "quorvane_program quorvane_cli"
)
# Libraries whose code is Qt Widgets; all others are core and never see Qt.
set(QUORVANE_UI_LIBRARIES
  quorvane_ui quorvane_graph_ui quorvane_hourly_ui quorvane_monthly_ui quorvane_map_ui
  quorvane_colormap_ui quorvane_yield_ui quorvane_national_ui quorvane_app_ui)

# Sets `out` to the layer index of `library`, or -1 when the table lacks it.
function(quorvane_layer_of library out)
  set(index 0)
  foreach(layer IN LISTS QUORVANE_LAYERS)
    string(REPLACE " " ";" members "${layer}")
    if(library IN_LIST members)
      set(${out} ${index} PARENT_SCOPE)
      return()
    endif()
    math(EXPR index "${index} + 1")
  endforeach()
  set(${out} -1 PARENT_SCOPE)
endfunction()

# Fails the configuration when `library` may not depend on `dependency`.
function(quorvane_check_arrow library dependency)
  quorvane_layer_of(${library} from)
  quorvane_layer_of(${dependency} to)
  if(from LESS 0 OR to LESS 0)
    message(FATAL_ERROR "${library} -> ${dependency}: both must be in QUORVANE_LAYERS")
  endif()
  if(NOT to LESS from)
    message(FATAL_ERROR "${library} may not depend on ${dependency}: not a lower layer")
  endif()
  if(dependency IN_LIST QUORVANE_UI_LIBRARIES AND NOT library IN_LIST QUORVANE_UI_LIBRARIES
     AND NOT library STREQUAL "quorvane_program" AND NOT library STREQUAL "quorvane_cli")
    message(FATAL_ERROR "core library ${library} may not depend on UI library ${dependency}")
  endif()
endfunction()
