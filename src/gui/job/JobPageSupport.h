#pragma once

#include <QString>

#include "job/JobPageCheck.h"

class QLineEdit;
class QWidget;

namespace varelo {

class JobEditor;
class UserInterface;

// A sub-page's title: message id with the editor's function letter.
QString JobPageTitle(int message, const JobEditor& editor);

// Shows what a page check tells (warning icon, beep) and, on a refusal, puts the focus on
// field. True when the values were taken over.
bool ShowPageCheck(const PageCheck& check, UserInterface& ui, QWidget* field);

// The number in an entry field; NaN when it is none, so that it fails every range check.
double EnteredNumber(const QLineEdit& field);

}  // namespace varelo
