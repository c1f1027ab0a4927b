// Force-included into every source of the library: any Qt header that slips in stops the
// build, so the rules stay free of the desktop toolkit.
#pragma once
#if defined(QT_CORE_LIB) || defined(QT_WIDGETS_LIB) || defined(QT_GUI_LIB)
#error "zarim_core must not use Qt"
#endif
