#pragma once

#include <QString>

#include <string>

namespace vemo {

// The program writes texts with CR LF line breaks; Qt shows "\n" as a line break.
QString toQtText(const std::string& text);
// Back to the program's form: every line break becomes CR LF.
std::string fromQtText(const QString& text);
// "description|pattern|description|pattern" into Qt's "description (pattern);;..." form;
// several patterns joined by ';' become a space-separated list.
QString toQtFileFilter(const std::string& filter);

} // namespace vemo
