# Type libraries: widl turns an IDL file into a .tlb (embedded as resource TYPELIB 1
# in every module that implements the library's classes) and a C++ header with the
# interfaces, enumerations and GUIDs.
set(QEL_WINE_IDL_DIR /usr/include/wine/wine/windows)
set(QEL_STDOLE_DIR /usr/lib/x86_64-linux-gnu/wine/x86_64-windows)

# qel_add_typelib(PREFIX IDL): compiles IDL into <build>/<PREFIX>/ and makes two
# targets: PREFIX (interface library: the header's folder) and PREFIX_resource
# (object library: the .tlb as resource TYPELIB 1, linked into one module).
function(qel_add_typelib prefix idl)
    get_filename_component(base ${idl} NAME_WE)
    set(dir ${CMAKE_BINARY_DIR}/${prefix})
    set(tlb ${dir}/${base}.tlb)
    set(header ${dir}/${base}_h.h)
    get_filename_component(idl_dir ${idl} DIRECTORY)
    add_custom_command(
        OUTPUT ${tlb} ${header}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
        COMMAND ${QEL_WIDL} ${QEL_WIDL_ARCH} -t -T ${tlb} -h -H ${header}
                -I${QEL_WINE_IDL_DIR} -I${idl_dir} -L${QEL_STDOLE_DIR} ${idl}
        DEPENDS ${idl} ${ARGN}
        COMMENT "Compiling the type library ${base}")
    add_custom_target(${prefix}_files DEPENDS ${tlb} ${header})

    set(QEL_TLB ${tlb})
    configure_file(${PROJECT_SOURCE_DIR}/cmake/typelib.rc.in ${dir}/typelib.rc @ONLY)
    set_source_files_properties(${dir}/typelib.rc PROPERTIES OBJECT_DEPENDS ${tlb})

    add_library(${prefix} INTERFACE)
    target_include_directories(${prefix} INTERFACE ${dir})
    add_dependencies(${prefix} ${prefix}_files)

    add_library(${prefix}_resource OBJECT ${dir}/typelib.rc)
    add_dependencies(${prefix}_resource ${prefix}_files)
endfunction()
