#include "qt/qt_form_text.h"

#include <QVariant>
#include <QWidget>

namespace bms::qt {

namespace {

constexpr char kWrittenText[] = "bmsWrittenText";

}  // namespace

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToStd(const QString& text) { return text.toStdString(); }

QString KeepCharacters(const QString& text, int maxLength) {
  if (maxLength <= 0) return text;
  qsizetype end = 0;
  for (int characters = 0; characters < maxLength && end < text.size(); ++characters) {
    const bool pair =
        text[end].isHighSurrogate() && end + 1 < text.size() && text[end + 1].isLowSurrogate();
    // Never split a pair: a QLineEdit would cut it in half at its UTF-16 limit.
    if (end + (pair ? 2 : 1) > maxLength) break;
    end += pair ? 2 : 1;
  }
  return text.left(end);
}

QString LineBreaksForDisplay(const QString& text) {
  if (!text.contains(u'\r')) return text;
  QString shown = text;
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace(u'\r', u'\n');
  return shown;
}

QString RememberForDisplay(QWidget* widget, const QString& text) {
  const QString shown = LineBreaksForDisplay(text);
  // Only text that the widget changes needs remembering.
  widget->setProperty(kWrittenText, shown == text ? QVariant() : QVariant(text));
  return shown;
}

QString Remembered(const QWidget* widget, const QString& shown) {
  const QVariant written = widget->property(kWrittenText);
  if (!written.isValid()) return shown;
  const QString text = written.toString();
  return LineBreaksForDisplay(text) == shown ? text : shown;
}

}  // namespace bms::qt
