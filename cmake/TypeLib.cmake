# The control library's type library: widl turns the IDL into a .tlb (embedded as
# resource TYPELIB 1 in every module that implements the library's classes) and a
# C++ header with the interfaces, enumerations and GUIDs.
set(QEL_IDL ${PROJECT_SOURCE_DIR}/control/Qel_SkinControl.idl)
set(QEL_TLB_DIR ${CMAKE_BINARY_DIR}/typelib)
set(QEL_TLB ${QEL_TLB_DIR}/Qel_SkinControl.tlb)
set(QEL_TLB_HEADER ${QEL_TLB_DIR}/Qel_SkinControl_h.h)
set(QEL_WINE_IDL_DIR /usr/include/wine/wine/windows)
set(QEL_STDOLE_DIR /usr/lib/x86_64-linux-gnu/wine/x86_64-windows)

add_custom_command(
    OUTPUT ${QEL_TLB} ${QEL_TLB_HEADER}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${QEL_TLB_DIR}
    COMMAND ${QEL_WIDL} ${QEL_WIDL_ARCH} -t -T ${QEL_TLB} -h -H ${QEL_TLB_HEADER}
            -I${QEL_WINE_IDL_DIR} -L${QEL_STDOLE_DIR} ${QEL_IDL}
    DEPENDS ${QEL_IDL}
    COMMENT "Compiling the type library")
add_custom_target(qel_typelib_files DEPENDS ${QEL_TLB} ${QEL_TLB_HEADER})

configure_file(${PROJECT_SOURCE_DIR}/cmake/typelib.rc.in ${QEL_TLB_DIR}/typelib.rc @ONLY)
set_source_files_properties(${QEL_TLB_DIR}/typelib.rc PROPERTIES OBJECT_DEPENDS ${QEL_TLB})

# Header and GUIDs of the interfaces.
add_library(qel_typelib INTERFACE)
target_include_directories(qel_typelib INTERFACE ${QEL_TLB_DIR})
add_dependencies(qel_typelib qel_typelib_files)

# The embedded type library, for the DLL and for test programs that link the classes.
add_library(qel_typelib_resource OBJECT ${QEL_TLB_DIR}/typelib.rc)
add_dependencies(qel_typelib_resource qel_typelib_files)
