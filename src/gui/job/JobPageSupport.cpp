#include "gui/job/JobPageSupport.h"

#include <QApplication>
#include <QLineEdit>
#include <limits>

#include "app/StringTable.h"
#include "app/UserInterface.h"
#include "gui/app/QtText.h"
#include "job/JobEditor.h"

namespace varelo {

QString JobPageTitle(int message, const JobEditor& editor) {
    return Q(Msg(message, {editor.Function() == kMeasFuncA ? "A" : "P"}));
}

bool ShowPageCheck(const PageCheck& check, UserInterface& ui, QWidget* field) {
    if (check.beep) QApplication::beep();
    if (check.message != 0) ui.ShowMessage(check.message, check.text, MessageIcon::Warning);
    if (check.Accepted()) return true;
    if (field != nullptr) field->setFocus();
    return false;
}

double EnteredNumber(const QLineEdit& field) {
    bool ok = false;
    const double value = field.text().trimmed().toDouble(&ok);
    return ok ? value : std::numeric_limits<double>::quiet_NaN();
}

}  // namespace varelo
