#include "gui/app/QtText.h"

#include "app/FileFilter.h"

namespace varelo {

QDateTime ToQDateTime(const CTimeStamp& time) {
    return QDateTime(QDate(time.year, time.month, time.day),
                     QTime(time.hour, time.minute, time.second, time.millisecond));
}

CTimeStamp FromQDateTime(const QDateTime& time) {
    const QDate d = time.date();
    const QTime t = time.time();
    return CTimeStamp(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second(), t.msec());
}

QStringList DialogNameFilters(const std::string& filter) {
    QStringList filters;
    for (const auto& entry : ParseFileFilter(filter))
        filters << Q(DialogFilterText(entry));
    return filters;
}

}  // namespace varelo
