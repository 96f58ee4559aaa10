# SPDX-License-Identifier: GPL-2.0-or-later
# Precompiled headers. Parsing the Qt Widgets headers costs more than compiling most of the
# window code's own, and each of CI's three cold builds pays it again per
# file. Only headers from outside the project go in, so an edit of ours rebuilds no more than
# before. Configure with -DCMAKE_DISABLE_PRECOMPILE_HEADERS=ON to check that every file still
# includes what it uses.

set(TW_PCH_STD
  <algorithm> <array> <filesystem> <functional> <map> <memory> <optional> <span> <string>
  <string_view> <utility> <vector>)

# The headers most of the window code includes.
set(TW_PCH_WIDGETS ${TW_PCH_STD}
  <QApplication> <QButtonGroup> <QCheckBox> <QComboBox> <QDialog> <QDialogButtonBox> <QDir>
  <QDockWidget> <QFile> <QFileDialog> <QFileInfo> <QFormLayout> <QGridLayout> <QGroupBox>
  <QHBoxLayout> <QHeaderView> <QIcon> <QImage> <QKeyEvent> <QLabel> <QLineEdit> <QListWidget>
  <QMainWindow> <QMenu> <QMenuBar> <QMimeData> <QObject> <QPixmap> <QPlainTextEdit> <QPointer>
  <QPushButton> <QRadioButton> <QShortcut> <QStatusBar> <QString> <QStringList> <QStyle>
  <QTabWidget> <QTimer> <QToolBar> <QToolButton> <QTreeWidget> <QUrl> <QVBoxLayout> <QWidget>)

# tw_precompile_headers(target HEADERS...)
function(tw_precompile_headers target)
  target_precompile_headers(${target} PRIVATE ${ARGN})
  if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    # Without a time stamp, a header ccache hands back stays valid in another build tree.
    target_compile_options(${target} PRIVATE "SHELL:-Xclang -fno-pch-timestamp")
  endif()
endfunction()

# tw_reuse_precompiled_headers(target from): the headers `from` precompiled, without compiling
# them again; both targets must build with the same definitions and options.
function(tw_reuse_precompiled_headers target from)
  target_precompile_headers(${target} REUSE_FROM ${from})
  if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    target_compile_options(${target} PRIVATE "SHELL:-Xclang -fno-pch-timestamp")
  endif()
endfunction()
