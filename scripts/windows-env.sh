# Sourced by the Windows scripts: where the cross-built Qt lives.
qt_windows=${BLENDORA_QT_WINDOWS:-${XDG_CACHE_HOME:-$HOME/.cache}/blendora/qt-6.4.2-mingw-static}
