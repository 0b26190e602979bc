// SPDX-License-Identifier: MIT
#include "ui/text_fit.h"

#include <QAbstractTextDocumentLayout>
#include <QLineEdit>
#include <QStyle>
#include <QTextBlock>
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

// Every laid-out line with text lies inside the viewport. A final line
// break leaves an empty line that shows nothing, and so cannot be cut off.
bool fits(const QTextEdit& box)
{
    const QTextDocument& document = *box.document();
    const QRectF visible = box.viewport()->rect();
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

template <typename Box> void shrinkUntilFits(Box& box, QFont font)
{
    while (!fits(box) && font.pointSizeF() - PointStep >= SmallestPointSize) {
        font.setPointSizeF(font.pointSizeF() - PointStep);
        box.setFont(font);
    }
}

} // namespace

void fitTextToBox(QWidget* box, const QFont& designFont)
{
    box->setFont(designFont);
    if (auto* multiLine = qobject_cast<QTextEdit*>(box)) {
        multiLine->document()->setDocumentMargin(QtDocumentMargin);
        if (fits(*multiLine))
            return;
        multiLine->document()->setDocumentMargin(DesignDocumentMargin);
        shrinkUntilFits(*multiLine, designFont);
    } else if (auto* line = qobject_cast<QLineEdit*>(box)) {
        shrinkUntilFits(*line, designFont);
    }
}

} // namespace kalvo::ui
