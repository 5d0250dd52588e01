#pragma once

#include <QString>
#include <string>
#include <string_view>

class QWidget;

namespace bms::qt {

QString ToQString(std::string_view text);
std::string ToStd(const QString& text);

// Keeps the first maxLength characters (code points, as a person counts them), and no
// more UTF-16 units than a QLineEdit of that max length holds; 0 keeps everything.
QString KeepCharacters(const QString& text, int maxLength);

// Widgets break lines at "\n" only; a "\r" would show as a stray space or glyph.
QString LineBreaksForDisplay(const QString& text);

// Shows text whose line breaks a widget rewrites, remembering what the program wrote so
// that it reads back unchanged; `Remembered` gives that back while the widget still
// shows it, and otherwise what the widget shows.
QString RememberForDisplay(QWidget* widget, const QString& text);
QString Remembered(const QWidget* widget, const QString& shown);

}  // namespace bms::qt
