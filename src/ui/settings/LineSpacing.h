#pragma once

#include <QObject>
#include <QPointer>
#include <QQuickTextDocument>
#include <QTextDocument>
#include <QtQml/qqmlregistration.h>

namespace velk::settings {

// Puts `spacing` pixels between the lines of a TextEdit (which has no line
// spacing of its own), and keeps it when the text changes:
//
//     TextEdit { id: body; LineSpacing { document: body.textDocument; spacing: 6 } }
class LineSpacing : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QQuickTextDocument* document READ document WRITE setDocument NOTIFY documentChanged)
    Q_PROPERTY(double spacing READ spacing WRITE setSpacing NOTIFY spacingChanged)

public:
    using QObject::QObject;

    QQuickTextDocument* document() const { return m_document; }
    void setDocument(QQuickTextDocument* document);
    double spacing() const { return m_spacing; }
    void setSpacing(double spacing);

signals:
    void documentChanged();
    void spacingChanged();

private:
    void apply();

    QPointer<QQuickTextDocument> m_document;
    QPointer<QTextDocument> m_text;
    double m_spacing = 0;
    bool m_applying = false;
};

} // namespace velk::settings
