// SPDX-License-Identifier: MIT
#include "ui/text_fit.h"

#include <QAbstractTextDocumentLayout>
#include <QFontDatabase>
#include <QLineEdit>
#include <QStyle>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>

namespace kalvo::ui {
namespace {

// Qt's document margin is 4 px; the design's own text boxes leave 1 px
// between their border and the text.
constexpr qreal QtDocumentMargin = 4;
constexpr qreal DesignDocumentMargin = 1;
constexpr qreal PointStep = 0.25;
constexpr qreal SmallestPointSize = 9;

// Every line with text lies inside the viewport. The box's text is laid out
// afresh at the viewport's width: a box that has never been shown has no
// layout of its own yet, and its viewport only the size of its contents
// rectangle. A final line break leaves an empty line that shows nothing, and
// so cannot be cut off.
bool fits(const QTextEdit& box)
{
    const QRectF visible(QPointF(0, 0), box.contentsRect().size());
    QTextDocument document;
    document.documentLayout()->setPaintDevice(box.viewport());
    document.setDefaultFont(box.font());
    document.setDefaultTextOption(box.document()->defaultTextOption());
    document.setDocumentMargin(box.document()->documentMargin());
    document.setPlainText(box.toPlainText());
    document.setTextWidth(visible.width());
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.text().isEmpty())
            continue;
        const QPointF origin = document.documentLayout()->blockBoundingRect(block).topLeft();
        const QTextLayout& layout = *block.layout();
        for (int i = 0; i < layout.lineCount(); ++i)
            if (!visible.contains(layout.lineAt(i).naturalTextRect().translated(origin)))
                return false;
    }
    return true;
}

// The text's advance inside the contents rectangle, less the frame and the
// line edit's own margin of 2 px on each side.
bool fits(const QLineEdit& box)
{
    const int frame = box.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &box);
    const QSize available = box.contentsRect().size() - QSize(2 * frame + 4, 2 * frame);
    return box.fontMetrics().horizontalAdvance(box.text()) <= available.width() &&
           box.fontMetrics().height() <= available.height();
}

template <typename Box> bool shrinkUntilFits(Box& box, QFont font)
{
    while (!fits(box) && font.pointSizeF() - PointStep >= SmallestPointSize) {
        font.setPointSizeF(font.pointSizeF() - PointStep);
        box.setFont(font);
    }
    return fits(box);
}

bool fitAtOrBelow(QWidget* box, const QFont& designFont)
{
    box->setFont(designFont);
    if (auto* multiLine = qobject_cast<QTextEdit*>(box)) {
        multiLine->document()->setDocumentMargin(QtDocumentMargin);
        if (fits(*multiLine))
            return true;
        multiLine->document()->setDocumentMargin(DesignDocumentMargin);
        return shrinkUntilFits(*multiLine, designFont);
    }
    if (auto* line = qobject_cast<QLineEdit*>(box))
        return shrinkUntilFits(*line, designFont);
    return true;
}

// The same font without its bitmap faces (and without the faces missing here).
QFont scalableOnly(QFont font)
{
    QStringList families;
    for (const QString& family : font.families())
        if (QFontDatabase::isScalable(family))
            families << family;
    font.setFamilies(families);
    return font;
}

} // namespace

void fitTextToBox(QWidget* box, const QFont& designFont)
{
    if (fitAtOrBelow(box, designFont))
        return;
    // A bitmap face (Windows' MS Sans Serif) comes in a few sizes and
    // cannot shrink: where its text does not fit, the scalable faces after
    // it in the list take over.
    const QFont scalable = scalableOnly(designFont);
    if (scalable.families() != designFont.families())
        fitAtOrBelow(box, scalable);
}

} // namespace kalvo::ui
