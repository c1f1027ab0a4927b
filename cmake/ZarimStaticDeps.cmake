# ICU and libxml2 linked into a program instead of loaded with it. The shared ICU libraries
# are bound at load time, and resolving their thousands of symbols costs more CPU than a
# short command's own work (`zarim-cli --version` took twice the time of `cat`). A program
# asks for the archives with the target property ZARIM_STATIC_DEPS; the libraries name the
# dependencies below, so the choice is made for the program that links them. Programs that
# also load Qt (which brings the shared ICU) keep the shared libraries.
#   ZARIM_ICU_LIBS  ZARIM_XML_LIBS  ZARIM_FMT_LIBS  the link items to use in place of ICU,
#                                                    libxml2 and the formatting library
foreach(lib icui18n icuuc icudata xml2 lzma z)
  find_library(ZARIM_STATIC_${lib} NAMES lib${lib}.a)
endforeach()
set(zarim_use_static "$<BOOL:$<TARGET_PROPERTY:ZARIM_STATIC_DEPS>>")
set(zarim_use_shared "$<NOT:${zarim_use_static}>")
if(ZARIM_STATIC_icui18n AND ZARIM_STATIC_icuuc AND ZARIM_STATIC_icudata)
  add_library(zarim_static_icu INTERFACE)
  target_link_libraries(zarim_static_icu INTERFACE ${ZARIM_STATIC_icui18n} ${ZARIM_STATIC_icuuc}
                                                   ${ZARIM_STATIC_icudata} ${CMAKE_DL_LIBS} m)
  set(ZARIM_ICU_LIBS "$<${zarim_use_static}:zarim_static_icu>"
                     "$<${zarim_use_shared}:ICU::i18n>" "$<${zarim_use_shared}:ICU::uc>"
                     "$<${zarim_use_shared}:ICU::data>")
else()
  set(ZARIM_ICU_LIBS ICU::i18n ICU::uc ICU::data)
endif()
if(ZARIM_STATIC_xml2 AND ZARIM_STATIC_lzma AND ZARIM_STATIC_z AND TARGET zarim_static_icu)
  add_library(zarim_static_xml INTERFACE)
  target_link_libraries(zarim_static_xml INTERFACE ${ZARIM_STATIC_xml2} zarim_static_icu
                                                   ${ZARIM_STATIC_lzma} ${ZARIM_STATIC_z} m)
  set(ZARIM_XML_LIBS "$<${zarim_use_static}:zarim_static_xml>"
                     "$<${zarim_use_shared}:PkgConfig::LIBXML2>")
else()
  set(ZARIM_XML_LIBS PkgConfig::LIBXML2)
endif()
# The formatting library: its shared library needs the shared C++ runtime, so a program
# that links the runtime in takes the library's compiled part from fmt_compiled.cpp.
if(fmt_VERSION VERSION_GREATER_EQUAL 9 AND fmt_VERSION VERSION_LESS 10)
  add_library(zarim_fmt_compiled STATIC ${PROJECT_SOURCE_DIR}/src/core/fmt_compiled.cpp)
  target_include_directories(zarim_fmt_compiled PUBLIC
                             $<TARGET_PROPERTY:fmt::fmt,INTERFACE_INCLUDE_DIRECTORIES>)
  set(ZARIM_FMT_LIBS "$<${zarim_use_static}:zarim_fmt_compiled>"
                     "$<${zarim_use_shared}:fmt::fmt>")
else()
  set(ZARIM_FMT_LIBS fmt::fmt)
endif()
