#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QtQml/qqmlregistration.h>
#include <optional>

namespace velk::design {

// Symbol names used by the views ("trash", "magnifyingglass", ...) drawn as
// glyphs of the Material Icons font. Unknown names draw a question-mark
// glyph, so a missing entry shows up on screen.
struct SymbolTable {
    static QString fontFamily();
    // The glyph's code point, or nothing for an unknown name.
    static std::optional<char32_t> codepoint(QStringView name);
    static char32_t fallbackCodepoint();
    // The text that draws the symbol (the fallback glyph for unknown names).
    static QString glyph(QStringView name);
    static QStringList names();
};

// `Symbols` in QML: `Symbols.glyph(name)` with `font.family: Symbols.fontFamily`.
// Most views use the SymbolIcon component instead.
class SymbolsQml : public QObject {
    Q_OBJECT
    QML_NAMED_ELEMENT(Symbols)
    QML_SINGLETON
    Q_PROPERTY(QString fontFamily READ fontFamily CONSTANT)
    Q_PROPERTY(QStringList names READ names CONSTANT)
public:
    using QObject::QObject;
    QString fontFamily() const { return SymbolTable::fontFamily(); }
    QStringList names() const { return SymbolTable::names(); }
    Q_INVOKABLE QString glyph(const QString& name) const;
    Q_INVOKABLE bool isKnown(const QString& name) const;
};

} // namespace velk::design
