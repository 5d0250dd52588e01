#pragma once

#include <QColor>

#include "forms/form_table.h"

class QWidget;

namespace bms::qt {

QColor ToQColor(forms::Rgb colour);
forms::Rgb ToRgb(const QColor& colour);

// The design colours every control starts with, set once on the window so that its
// controls inherit them.
void UseDesignPalette(QWidget* window);

// Background and text colour live in the widget's palette: the Window and WindowText
// roles, which every widget has and the getters read, plus the roles the widget's own
// class paints with (Button, Base, ButtonText, Text), so the colour shows.
void SetBackground(QWidget* widget, forms::Rgb colour);
forms::Rgb Background(const QWidget* widget);
void SetTextColor(QWidget* widget, forms::Rgb colour);
forms::Rgb TextColor(const QWidget* widget);

// The widget's own flags, whatever its parents or a not yet shown window do.
bool OwnEnabled(const QWidget* widget);
bool OwnVisible(const QWidget* widget);

// Gives a control without a caption at least its designed width; a captioned one has it
// in its size hints already, so that a longer caption still gets all the room it needs.
void ApplyMinimumWidth(const forms::ControlSpec& spec, QWidget* widget);

// The widget of one control with its kind's content (caption, items, range, fill) but
// not yet its colours, flags or handlers. Tab pages are made by their tab control.
QWidget* MakeControlWidget(const forms::ControlSpec& spec, QWidget* parent);

}  // namespace bms::qt
