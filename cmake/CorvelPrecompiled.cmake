# Precompiled headers. Qt's widget headers and GoogleTest take longer to parse
# than most of the files that include them, so each is parsed once per target
# instead of once per file.

# The Qt headers that most screens and their tests include.
set(CORVEL_QT_HEADERS
    <QApplication> <QKeyEvent> <QLabel> <QPainter> <QPushButton> <QString>
    <QVBoxLayout> <QWidget>)

# A target of Qt screens. Each compiles its own: QT_NO_KEYWORDS, which the
# settings screens set, changes what Qt's headers declare.
function(corvel_precompile_qt target)
    target_precompile_headers(${target} PRIVATE ${CORVEL_QT_HEADERS})
endfunction()
