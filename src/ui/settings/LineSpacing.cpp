#include "ui/settings/LineSpacing.h"

#include <QQuickTextDocument>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace velk::settings {

void LineSpacing::setDocument(QQuickTextDocument* document)
{
    if (document == m_document)
        return;
    if (m_text)
        disconnect(m_text, nullptr, this, nullptr);
    m_document = document;
    m_text = document ? document->textDocument() : nullptr;
    if (m_text)
        connect(m_text, &QTextDocument::contentsChanged, this, &LineSpacing::apply);
    emit documentChanged();
    apply();
}

void LineSpacing::setSpacing(double spacing)
{
    if (spacing == m_spacing)
        return;
    m_spacing = spacing;
    emit spacingChanged();
    apply();
}

void LineSpacing::apply()
{
    if (!m_text || m_applying)
        return;
    m_applying = true;
    for (QTextBlock block = m_text->begin(); block.isValid(); block = block.next()) {
        const QTextBlockFormat current = block.blockFormat();
        if (current.lineHeightType() == QTextBlockFormat::LineDistanceHeight && current.lineHeight() == m_spacing)
            continue;
        QTextBlockFormat format;
        format.setLineHeight(m_spacing, QTextBlockFormat::LineDistanceHeight);
        QTextCursor cursor(block);
        cursor.mergeBlockFormat(format);
    }
    m_applying = false;
}

} // namespace velk::settings
