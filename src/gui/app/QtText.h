#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <string>

#include "app/StringTable.h"
#include "app/TextKeys.h"
#include "measurement/TimeStamp.h"

namespace varelo {

inline QString Q(const std::string& text) {
    return QString::fromStdString(text);
}
inline std::string S(const QString& text) {
    return text.toStdString();
}
// A string-table text as a Qt string.
inline QString QStr(int id) {
    return Q(Str(id));
}

QDateTime ToQDateTime(const CTimeStamp& time);
CTimeStamp FromQDateTime(const QDateTime& time);
// A named text as a Qt string.
inline QString QTxt(TextKey key) {
    return Q(Txt(key));
}

// "text|patterns|...||" as file dialog name filters.
QStringList DialogNameFilters(const std::string& filter);

}  // namespace varelo
