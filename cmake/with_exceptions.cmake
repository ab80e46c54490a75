# The worksheet's fault is an exception, which the calculator's page module catches with
# WebAssembly's own exceptions, the small and fast kind; so do the worksheet's tests. Their
# libraries are built a second time with them. The page's other modules catch none, and are a
# seventh smaller without.
function(add_library_with_exceptions library)
  get_target_property(sources ${library} SOURCES)
  get_target_property(folder ${library} SOURCE_DIR)
  list(TRANSFORM sources PREPEND ${folder}/)
  add_library(${library}_with_exceptions STATIC ${sources})
  target_include_directories(${library}_with_exceptions PUBLIC ${PROJECT_SOURCE_DIR})
  target_compile_options(${library}_with_exceptions PUBLIC -fwasm-exceptions)
  target_link_options(${library}_with_exceptions PUBLIC -fwasm-exceptions)
  target_link_libraries(${library}_with_exceptions PRIVATE blendora_warnings)
endfunction()

add_library_with_exceptions(worksheet)
add_library_with_exceptions(problems)
add_library_with_exceptions(form)
target_link_libraries(problems_with_exceptions PUBLIC worksheet_with_exceptions)
target_link_libraries(form_with_exceptions PUBLIC worksheet_with_exceptions
                                                  problems_with_exceptions)
