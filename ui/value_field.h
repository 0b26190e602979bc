// SPDX-License-Identifier: MIT
#pragma once

#include <QLineEdit>

namespace kalvo::ui {

// The field of A, B, C or K. The output's field is read-only, and screen
// readers hear it so: Qt's own line edit always reports itself editable.
class ValueField : public QLineEdit {
    Q_OBJECT

public:
    explicit ValueField(QWidget* parent);

    void setTakesInput(bool takesInput);
};

} // namespace kalvo::ui
