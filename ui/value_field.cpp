// SPDX-License-Identifier: MIT
#include "ui/value_field.h"

#include <QAccessibleWidget>

namespace kalvo::ui {
namespace {

// A value field as a screen reader sees it: a text named after its quantity,
// editable only while it takes input.
class ValueFieldAccessible : public QAccessibleWidget,
                             public QAccessibleTextInterface,
                             public QAccessibleEditableTextInterface {
public:
    explicit ValueFieldAccessible(ValueField* field) : QAccessibleWidget(field, QAccessible::EditableText) {}

    [[nodiscard]] QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = !field()->isReadOnly();
        state.readOnly = field()->isReadOnly();
        state.selectableText = true;
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        if (type == QAccessible::EditableTextInterface && !field()->isReadOnly())
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    [[nodiscard]] QString text(QAccessible::Text type) const override
    {
        return type == QAccessible::Value ? field()->text() : QAccessibleWidget::text(type);
    }

    // The text, its cursor and selection.
    [[nodiscard]] QString text(int startOffset, int endOffset) const override
    {
        return field()->text().mid(startOffset, endOffset - startOffset);
    }
    [[nodiscard]] int characterCount() const override { return static_cast<int>(field()->text().size()); }
    [[nodiscard]] int cursorPosition() const override { return field()->cursorPosition(); }
    void setCursorPosition(int position) override { field()->setCursorPosition(position); }
    [[nodiscard]] int selectionCount() const override { return field()->hasSelectedText() ? 1 : 0; }
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override
    {
        *startOffset = *endOffset = 0;
        if (selectionIndex == 0 && field()->hasSelectedText()) {
            *startOffset = field()->selectionStart();
            *endOffset = field()->selectionEnd();
        }
    }
    void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }
    void removeSelection(int) override { field()->deselect(); }
    void setSelection(int, int startOffset, int endOffset) override
    {
        field()->setSelection(startOffset, endOffset - startOffset);
    }
    void scrollToSubstring(int startIndex, int) override { field()->setCursorPosition(startIndex); }
    [[nodiscard]] QString attributes(int, int* startOffset, int* endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

    // Where a character stands on the screen: the text is centred in the field.
    [[nodiscard]] QRect characterRect(int offset) const override
    {
        const QString shown = field()->text();
        if (offset < 0 || offset >= shown.size())
            return {};
        const QFontMetrics metrics = field()->fontMetrics();
        const QRect contents = field()->contentsRect();
        const int left = contents.center().x() - metrics.horizontalAdvance(shown) / 2 +
                         metrics.horizontalAdvance(shown.left(offset));
        const QRect character(left, contents.center().y() - metrics.height() / 2,
                              metrics.horizontalAdvance(shown.at(offset)), metrics.height());
        return {field()->mapToGlobal(character.topLeft()), character.size()};
    }
    [[nodiscard]] int offsetAtPoint(const QPoint& point) const override
    {
        return field()->cursorPositionAt(field()->mapFromGlobal(point));
    }

    // Editing by assistive technology goes the way of typing, so the window
    // model follows. An empty range deletes nothing: del() would take the
    // character after the cursor.
    void deleteText(int startOffset, int endOffset) override
    {
        if (startOffset >= endOffset)
            return;
        setSelection(0, startOffset, endOffset);
        field()->del();
    }
    void insertText(int offset, const QString& text) override
    {
        field()->setCursorPosition(offset);
        field()->insert(text);
    }
    void replaceText(int startOffset, int endOffset, const QString& text) override
    {
        setSelection(0, startOffset, endOffset);
        field()->insert(text);
    }

private:
    [[nodiscard]] ValueField* field() const { return static_cast<ValueField*>(widget()); }
};

QAccessibleInterface* valueFieldAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String(ValueField::staticMetaObject.className()))
        return new ValueFieldAccessible(static_cast<ValueField*>(object));
    return nullptr;
}

} // namespace

ValueField::ValueField(QWidget* parent) : QLineEdit(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(valueFieldAccessible);
        return true;
    }();
    Q_UNUSED(installed);
}

void ValueField::setTakesInput(bool takesInput)
{
    if (isReadOnly() != takesInput)
        return;
    setReadOnly(!takesInput);
    QAccessible::State changed;
    changed.editable = true;
    changed.readOnly = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

} // namespace kalvo::ui
