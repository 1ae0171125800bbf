#include "platform/qt/QtText.h"

#include <QStringList>

namespace vemo {

namespace {
const QString ProgramLineBreak = QStringLiteral("\r\n");
const QString QtLineBreak = QStringLiteral("\n");
constexpr QChar FilterSeparator = u'|';
constexpr QChar ProgramPatternSeparator = u';';
constexpr QChar QtPatternSeparator = u' ';
const QString QtFilterSeparator = QStringLiteral(";;");
} // namespace

QString toQtText(const std::string& text) {
    QString converted = QString::fromStdString(text);
    converted.replace(ProgramLineBreak, QtLineBreak);
    return converted;
}

std::string fromQtText(const QString& text) {
    QString converted = text;
    converted.replace(ProgramLineBreak, QtLineBreak);
    converted.replace(QtLineBreak, ProgramLineBreak);
    return converted.toStdString();
}

QString toQtFileFilter(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split(FilterSeparator);
    QStringList filters;
    // A trailing description without its pattern is dropped, as it has nothing to match.
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        QString patterns = parts[i + 1].trimmed();
        if (description.isEmpty() && patterns.isEmpty()) continue;
        patterns.replace(ProgramPatternSeparator, QtPatternSeparator);
        filters << QStringLiteral("%1 (%2)").arg(description, patterns);
    }
    return filters.join(QtFilterSeparator);
}

} // namespace vemo
